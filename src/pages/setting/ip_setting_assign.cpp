// The panel's own address assignment: RENEW and KEEP ask the panel for a
// proposal, which the page shows read-only; SET confirms it, CANCEL
// abandons it and reads the panel's table again.
#include "operations/camera_table.h"
#include "pages/setting/ip_setting.h"
#include "resources/resource.h"
#include "rules/camera_table_write.h"
#include "rules/outcome_texts.h"

namespace sc = setting_controls;

namespace {

operations::Assignment AssignmentOf(IPSetting::AssignMode mode) {
  return mode == IPSetting::kRenewMode ? operations::Assignment::kRenew
                                       : operations::Assignment::kKeep;
}

}  // namespace

void IPSetting::OnRenew() { StartAssignment(kRenewMode); }

void IPSetting::OnKeep() { StartAssignment(kKeepMode); }

void IPSetting::StartAssignment(AssignMode mode) {
  const bool retry = assignMode != kNoAssignment;
  if (!Fetched(operations::ProposeAssignment(panel_.Link(), AssignmentOf(mode), retry, table_))) {
    return;  // nothing changes
  }
  EnterAssignment(mode);
}

void IPSetting::EnterAssignment(AssignMode mode) {
  if (mode == kKeepMode) ShowFlaggedDuplicates();
  SetAssignmentButtons(true);
  TakeReadTimeCopies();
  assignMode = mode;
  FillCameraSelectLists();
  ShowRows();
  SetEditingControls(false);
  GetHost().RepaintDialog(*this);
}

void IPSetting::ShowFlaggedDuplicates() {
  for (const int entry : rules::FlaggedDuplicates(table_)) {
    ShowDuplication(entry == rules::kSwitcherEntry ? table_.SwAddr() : table_.CamAddr(entry));
  }
}

void IPSetting::FinishAssignment() {
  if (ShowMessage("IP Setting Start", std::nullopt, ui::kMbYesNo) != ui::kIdYes) return;
  const operations::Outcome outcome =
      operations::ConfirmAssignment(panel_.Link(), AssignmentOf(assignMode));
  ReportOutcome(*this, outcome, rules::kCameraTableReadWords);
  if (StoppedAtStart(outcome)) return;  // the assignment stays in progress
  if (outcome.Done()) {
    ShowMessage(rules::kAssignmentFinished, std::nullopt, ui::kMbOk);
  } else if (outcome.ending == operations::Ending::kNotWritten) {
    ShowFailure(rules::kSettingError);
  }
  // The page goes on showing the proposal the panel now applies.
  LeaveAssignment();
}

void IPSetting::LeaveAssignment() {
  assignMode = kNoAssignment;
  SetAssignmentButtons(false);
  SetEditingControls(true);
  // Rows 1 to 5 are enabled where their lists offer cameras.
  FillCameraSelectLists();
  GetHost().RepaintDialog(*this);
}

void IPSetting::OnCancel(CancelButton) {
  assignMode = kNoAssignment;
  // Nothing tells the panel: its own table is simply read again.
  ReadTable();
  SetAssignmentButtons(false);
  SetEditingControls(true);
  GetHost().RepaintDialog(*this);
}

void IPSetting::SetAssignmentButtons(bool assigning) {
  Controls().Enable(IDC_SETTING_CANCEL, assigning);
  Controls().Enable(IDC_SETTING_ALL_CLEAR, !assigning);
  Controls().Enable(IDC_SETTING_REFRESH, !assigning);
}

void IPSetting::SetEditingControls(bool enabled) {
  ui::ControlModel& controls = Controls();
  for (int r = 0; r < sc::kRowCount; ++r) {
    controls.Enable(sc::kIp[r], enabled);
    controls.Enable(sc::kType[r], enabled);
    controls.Enable(sc::kSwInput[r], enabled);
    // Rows 1 to 5 follow their lists (FillCameraSelectLists) when enabled.
    if (!enabled || r >= sc::kRowsOfFirstGroup) controls.Enable(sc::kCameraSelect[r], enabled);
  }
  controls.Enable(IDC_SW_IP, enabled);
  controls.Enable(IDC_SW_TYPE, enabled);
}
