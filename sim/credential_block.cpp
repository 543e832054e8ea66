#include "sim/credential_block.h"

namespace sim {

std::vector<std::uint8_t> BuildCredentialRecord(std::string_view user, std::string_view password) {
  protocol::CredentialRecord record;
  record.SetUserName(user);
  record.SetPassword(password);
  record.UpdateChecksum();
  return {record.Bytes().begin(), record.Bytes().end()};
}

}  // namespace sim
