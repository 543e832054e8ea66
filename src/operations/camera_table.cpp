#include "operations/camera_table.h"

#include <algorithm>

#include "exchange.h"
#include "protocol/commands.h"

namespace operations {

namespace {

// Sends `command` and takes the record the panel answers with before it
// closes. A panel always sends the whole record: anything shorter or longer
// is not taken, like a record with a bad sum, so that a cut reply never
// mixes with the table it would partly overwrite.
Outcome FetchRecord(const protocol::PanelLink& link, std::string_view command,
                    protocol::IpSettingRecord& table) {
  protocol::CPanelSession session(link);
  if (Step failed = Start(session, command)) return *failed;
  std::span<const std::uint8_t> received;
  if (Step failed = ReceiveBlock(session, received)) return *failed;
  if (received.empty()) return {Ending::kBadData, Stage::kPayload, Flaw::kEmpty};
  if (received.size() < protocol::IpSettingRecord::kSize) {
    return {Ending::kBadData, Stage::kPayload, Flaw::kShort};
  }
  if (received.size() > protocol::IpSettingRecord::kSize) {
    return {Ending::kBadData, Stage::kPayload, Flaw::kLong};
  }
  if (!protocol::IsZeroSum(received)) return {Ending::kBadData, Stage::kPayload, Flaw::kBadSum};
  std::copy(received.begin(), received.end(), table.bytes.begin());
  return {};
}

std::string_view ProposalCommand(Assignment assignment, bool retry) {
  if (assignment == Assignment::kRenew) {
    return retry ? protocol::commands::kRenewRetry : protocol::commands::kRenewStart;
  }
  return retry ? protocol::commands::kKeepRetry : protocol::commands::kKeepStart;
}

}  // namespace

Outcome ReadCameraTable(const protocol::PanelLink& link, protocol::IpSettingRecord& table) {
  return FetchRecord(link, protocol::commands::kCameraTableRequest, table);
}

Outcome ProposeAssignment(const protocol::PanelLink& link, Assignment assignment, bool retry,
                          protocol::IpSettingRecord& proposal) {
  return FetchRecord(link, ProposalCommand(assignment, retry), proposal);
}

Outcome ConfirmAssignment(const protocol::PanelLink& link, Assignment assignment) {
  protocol::CPanelSession session(link);
  const std::string_view command = assignment == Assignment::kRenew ? protocol::commands::kRenewSet
                                                                    : protocol::commands::kKeepSet;
  if (Step failed = Start(session, command)) return *failed;
  std::span<const std::uint8_t> received;
  if (Step failed = ReceiveBlock(session, received)) return *failed;
  // Judged on what arrived: a shorter answer must not match what the reply
  // buffer held before.
  const bool applied = received.size() >= protocol::replies::kSettingOk.size() &&
                       session.ReplyStartsWith(protocol::replies::kSettingOk);
  if (applied) return {Ending::kDone, Stage::kVerdict};
  return {Ending::kNotWritten, Stage::kVerdict, Flaw::kNone, session.ReplyText(received.size())};
}

Outcome WriteCameraTable(const protocol::PanelLink& link,
                         const protocol::IpSettingRecord& prepared) {
  return Write(link, protocol::commands::kCameraTableChange, BytesSender(prepared.bytes));
}

}  // namespace operations
