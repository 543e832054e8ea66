// A firmware image as vk38 sends it: read whole (or mapped, where nobody
// can write the file meanwhile) before any panel is asked, checked for what
// can be checked, and then sent from memory to every panel, so that each
// gets the very bytes that were checked.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace cli {

// No program or FPGA image of the panel is larger.
inline constexpr std::size_t kLargestImage = 64 * 1024 * 1024;

// Why `bytes` cannot be an image: empty, larger than kLargestImage, or text
// (a README, a checksum list, an HTML page saved in its place), told by its
// start being UTF-8 text with nothing but printing characters, tabs and
// line breaks.
std::optional<std::string> ImageFault(std::string_view bytes);

}  // namespace cli
