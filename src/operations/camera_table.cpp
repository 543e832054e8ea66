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
Outcome FetchRecord(const PanelLink& link, std::string_view command, IpSettingRecord& table) {
  CPanelSession session(link);
  if (Step failed = Start(session, command)) return *failed;
  std::span<const std::uint8_t> received;
  if (Step failed = ReceiveBlock(session, received)) return *failed;
  if (received.empty()) return {Ending::kBadData, Stage::kPayload, Flaw::kEmpty};
  if (received.size() < IpSettingRecord::kSize) {
    return {Ending::kBadData, Stage::kPayload, Flaw::kShort};
  }
  if (received.size() > IpSettingRecord::kSize) {
    return {Ending::kBadData, Stage::kPayload, Flaw::kLong};
  }
  if (!IsChecksumValid(received)) return {Ending::kBadData, Stage::kPayload, Flaw::kBadSum};
  std::copy(received.begin(), received.end(), table.bytes.begin());
  return {};
}

std::string_view ProposalCommand(Assignment assignment, bool retry) {
  if (assignment == Assignment::kRenew) {
    return retry ? commands::kRenewRetry : commands::kRenewStart;
  }
  return retry ? commands::kKeepRetry : commands::kKeepStart;
}

}  // namespace

Outcome ReadCameraTable(const PanelLink& link, IpSettingRecord& table) {
  return FetchRecord(link, commands::kCameraTableRequest, table);
}

Outcome ProposeAssignment(const PanelLink& link, Assignment assignment, bool retry,
                          IpSettingRecord& proposal) {
  return FetchRecord(link, ProposalCommand(assignment, retry), proposal);
}

Outcome ConfirmAssignment(const PanelLink& link, Assignment assignment) {
  CPanelSession session(link);
  const std::string_view command =
      assignment == Assignment::kRenew ? commands::kRenewSet : commands::kKeepSet;
  if (Step failed = Start(session, command)) return *failed;
  std::span<const std::uint8_t> received;
  if (Step failed = ReceiveBlock(session, received)) return *failed;
  // Judged on what arrived: a shorter answer must not match what the reply
  // buffer held before.
  const bool applied =
      received.size() >= replies::kSettingOk.size() && session.ReplyStartsWith(replies::kSettingOk);
  if (applied) return {Ending::kDone, Stage::kVerdict};
  return {Ending::kNotWritten, Stage::kVerdict, Flaw::kNone, session.ReplyText(received.size())};
}

Outcome WriteCameraTable(const PanelLink& link, const IpSettingRecord& prepared) {
  return Write(link, commands::kCameraTableChange, BytesSender(prepared.bytes));
}

}  // namespace operations
