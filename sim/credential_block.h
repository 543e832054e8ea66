// The simulated panel's credentials, in the record layout the tool itself
// uses (protocol/credential_record.h).
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "protocol/credential_record.h"

namespace sim {

inline constexpr std::size_t kCredentialRecordSize = protocol::CredentialRecord::kSize;
inline constexpr std::size_t kCredentialChecksumAt = protocol::CredentialRecord::kChecksumAt;

// A record holding the pair (each cut to 32 characters), with its checksum.
std::vector<std::uint8_t> BuildCredentialRecord(std::string_view user, std::string_view password);

}  // namespace sim
