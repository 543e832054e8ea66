// SHA-256 of a byte string, as a plan records the table it read from a
// panel: the 64 lower-case hex digits of the digest.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace cli {

std::string Sha256Hex(std::span<const std::uint8_t> bytes);

}  // namespace cli
