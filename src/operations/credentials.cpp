#include "operations/credentials.h"

#include "exchange.h"
#include "protocol/commands.h"
#include "protocol/zero_sum.h"

namespace operations {

Outcome ReadCredentials(const protocol::PanelLink& link, protocol::CredentialRecord& record) {
  protocol::CPanelSession session(link);
  if (Step failed = Start(session, protocol::commands::kCredentialRequest)) return *failed;
  std::span<const std::uint8_t> received;
  if (Step failed = ReceiveBlock(session, received)) return *failed;
  // A block longer than the record, or one whose bytes do not add up to
  // zero, is not taken at all.
  if (received.empty()) return {Ending::kBadData, Stage::kPayload, Flaw::kEmpty};
  if (received.size() > protocol::CredentialRecord::kSize) {
    return {Ending::kBadData, Stage::kPayload, Flaw::kLong};
  }
  if (!protocol::IsZeroSum(received)) return {Ending::kBadData, Stage::kPayload, Flaw::kBadSum};
  record.Overwrite(received);
  return {};
}

Outcome WriteCredentials(const protocol::PanelLink& link,
                         const protocol::CredentialRecord& record) {
  return Write(link, protocol::commands::kCredentialChange, BytesSender(record.Bytes()));
}

}  // namespace operations
