// The simulated panel's log: text lines of a fixed length computed from
// their position, so that a log of any size is produced piece by piece as
// it is sent and costs no memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "protocol/panel_address.h"

namespace sim {

inline constexpr std::size_t kLogLineSize = 64;

// The log bytes of `panel` from `offset` on, filling `out`.
void FillLog(protocol::PanelAddress panel, std::uint64_t offset, std::span<std::uint8_t> out);

}  // namespace sim
