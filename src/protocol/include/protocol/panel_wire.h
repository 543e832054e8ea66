// What every connection to a panel shares: the TCP port the panel listens
// on, and the size of the blocks it moves (its reply buffer, the pieces of
// an image).
#pragma once

#include <cstddef>
#include <cstdint>

namespace protocol {

inline constexpr std::uint16_t kPanelPort = 35600;
inline constexpr std::size_t kPanelBlockSize = 4096;

}  // namespace protocol
