// What every exchange of the Setting page with the panel shares: its
// messages, the judgement of a fetched record, and the read-time copies of
// the addresses.
#include "pages/setting/ip_setting.h"
#include "rules/outcome_texts.h"

// A read shows only that the connection or the command failed: a socket
// that cannot be made, a record that does not arrive, and an empty or
// damaged one end silently.
const ExchangeTexts IPSetting::kReadTexts{.notConnected = kNoConnect, .lost = kSocketError};

// A write: a socket that cannot be made and a block that does not get
// through, or is not answered, end silently.
const ExchangeTexts IPSetting::kWriteTexts{.noSocket = kSilent,
                                           .notConnected = kNoConnect,
                                           .lost = kSocketError,
                                           .refused = kCommandError,
                                           .payloadLost = kSilent,
                                           .notWritten = kWriteError,
                                           .done = kWriteOk};

bool IPSetting::Fetched(const operations::Outcome& outcome) {
  ReportOutcome(*this, outcome, kReadTexts);
  // Intended: only a refused connection or a command that did not go out
  // stops the step. Without a socket, or when the record did not arrive
  // whole with a good sum, the table stays as it is and the step goes on.
  return !StoppedAtStart(outcome);
}

void IPSetting::TakeReadTimeCopies() {
  camAddrAtRead = rules::CameraAddresses(table_);
  swAddrAtRead = rules::SwitcherAddress(table_);
}

void IPSetting::ShowDuplication(protocol::ConstAddrField address) {
  ShowFailure(rules::DuplicationText(address));
}
