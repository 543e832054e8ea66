// The simulated panel's setup block: what "VK38 SETTING REQ" sends and
// "VK38 SETTING CHANGE" loads. Its layout is the simulator's own:
//   0..3  magic "V38S"
//   4..5  total length of the block, big-endian
//   6..   settings
//   last  checksum byte, so that the whole block sums to 0
// The header lets the panel know where a loaded block ends; a block without
// it ends when the tool falls silent.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "protocol/panel_address.h"

namespace sim {

inline constexpr std::size_t kSetupHeaderSize = 6;

// A well-formed block around `settings`: header, settings, checksum.
std::vector<std::uint8_t> BuildSetupBlock(std::span<const std::uint8_t> settings);

// The block's total length as its header tells, once enough of it has
// arrived; nothing while the header is incomplete or not ours.
std::optional<std::size_t> SetupBlockLength(std::span<const std::uint8_t> start);

// A panel's factory setup: a deterministic block, different per panel.
std::vector<std::uint8_t> DefaultSetupBlock(protocol::PanelAddress panel);

}  // namespace sim
