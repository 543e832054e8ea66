// What every exchange of the Setting page with the panel shares: the
// judgement of a fetched record, and the read-time copies of
// the addresses.
#include "pages/setting/ip_setting.h"
#include "rules/outcome_texts.h"

bool IPSetting::Fetched(const operations::Outcome& outcome) {
  ReportOutcome(*this, outcome, rules::kCameraTableReadWords);
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
