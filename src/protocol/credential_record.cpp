#include "protocol/credential_record.h"

#include <algorithm>

#include "protocol/zero_sum.h"

namespace protocol {

std::optional<std::string> CredentialRecord::Field(std::size_t at) const {
  const auto begin = bytes_.begin() + at;
  const auto end = std::find(begin, begin + kFieldSize, std::uint8_t{0});
  if (end == begin + kFieldSize) return std::nullopt;
  return std::string(begin, end);
}

void CredentialRecord::SetField(std::size_t at, std::string_view text) {
  const std::size_t length = std::min(text.size(), kFieldSize - 1);
  std::copy_n(text.begin(), length, bytes_.begin() + at);
  bytes_[at + length] = 0;
}

void CredentialRecord::UpdateChecksum() { SetZeroSumChecksum(bytes_, kChecksumAt); }

void CredentialRecord::Overwrite(std::span<const std::uint8_t> block) {
  std::copy_n(block.begin(), std::min(block.size(), kSize), bytes_.begin());
}

}  // namespace protocol
