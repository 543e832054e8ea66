// Bytes as hexadecimal text, two digits a byte, for the control channel.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

std::string HexText(std::span<const std::uint8_t> bytes);
// Nothing when the text has an odd length or a character that is no digit.
std::optional<std::vector<std::uint8_t>> BytesFromHex(std::string_view text);

}  // namespace sim
