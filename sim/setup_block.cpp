#include "sim/setup_block.h"

#include <algorithm>
#include <array>

#include "protocol/zero_sum.h"

namespace sim {

namespace {

constexpr std::array<std::uint8_t, 4> kMagic = {'V', '3', '8', 'S'};
constexpr std::size_t kDefaultSettingsSize = 1500;

}  // namespace

std::vector<std::uint8_t> BuildSetupBlock(std::span<const std::uint8_t> settings) {
  std::vector<std::uint8_t> block(kMagic.begin(), kMagic.end());
  const std::size_t length = kSetupHeaderSize + settings.size() + 1;
  block.push_back(static_cast<std::uint8_t>(length >> 8));
  block.push_back(static_cast<std::uint8_t>(length));
  block.insert(block.end(), settings.begin(), settings.end());
  block.push_back(0);
  protocol::SetZeroSumChecksum(block, block.size() - 1);
  return block;
}

std::optional<std::size_t> SetupBlockLength(std::span<const std::uint8_t> start) {
  if (start.size() < kSetupHeaderSize) return std::nullopt;
  if (!std::equal(kMagic.begin(), kMagic.end(), start.begin())) return std::nullopt;
  const std::size_t length = (std::size_t{start[4]} << 8) | start[5];
  if (length <= kSetupHeaderSize) return std::nullopt;
  return length;
}

std::vector<std::uint8_t> DefaultSetupBlock(protocol::PanelAddress panel) {
  std::vector<std::uint8_t> settings(kDefaultSettingsSize);
  protocol::AddressToBytes(panel, settings.data());
  const unsigned seed = panel & 0xFFu;
  for (std::size_t i = 4; i < settings.size(); ++i) {
    settings[i] = static_cast<std::uint8_t>((i * 7 + seed * 13) ^ (i >> 8));
  }
  return BuildSetupBlock(settings);
}

}  // namespace sim
