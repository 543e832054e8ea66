#include "operations/credentials.h"

#include "exchange.h"
#include "protocol/commands.h"
#include "protocol/zero_sum.h"

namespace operations {

Outcome ReadCredentials(const PanelLink& link, CredentialRecord& record) {
  CPanelSession session(link);
  if (Step failed = Start(session, commands::kCredentialRequest)) return *failed;
  std::span<const std::uint8_t> received;
  if (Step failed = ReceiveBlock(session, received)) return *failed;
  // A block longer than the record, or one whose bytes do not add up to
  // zero, is not taken at all.
  if (received.empty()) return {Ending::kBadData, Stage::kPayload, Flaw::kEmpty};
  if (received.size() > CredentialRecord::kSize) {
    return {Ending::kBadData, Stage::kPayload, Flaw::kLong};
  }
  if (!IsZeroSum(received)) return {Ending::kBadData, Stage::kPayload, Flaw::kBadSum};
  record.Overwrite(received);
  return {};
}

Outcome WriteCredentials(const PanelLink& link, const CredentialRecord& record) {
  return Write(link, commands::kCredentialChange, BytesSender(record.Bytes()));
}

}  // namespace operations
