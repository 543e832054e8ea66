// The zero-sum checksum shared by every block exchanged with a panel: a
// block is valid when the 8-bit sum of all its bytes is 0; a checksum byte
// holds the two's complement of the sum of the other bytes.
#pragma once

#include <cstdint>
#include <span>

namespace protocol {

inline std::uint8_t ByteSum(std::span<const std::uint8_t> bytes) {
  unsigned sum = 0;
  for (std::uint8_t byte : bytes) sum += byte;
  return static_cast<std::uint8_t>(sum);
}

inline bool IsZeroSum(std::span<const std::uint8_t> bytes) { return ByteSum(bytes) == 0; }

// Stores in bytes[checksumAt] the value that makes the whole block sum to 0.
inline void SetZeroSumChecksum(std::span<std::uint8_t> bytes, std::size_t checksumAt) {
  bytes[checksumAt] = 0;
  bytes[checksumAt] = static_cast<std::uint8_t>(0x100 - ByteSum(bytes));
}

}  // namespace protocol
