// The panel's own address assignment: RENEW and KEEP ask the panel for a
// proposal, which the page shows read-only; SET confirms it, CANCEL
// abandons it and reads the panel's table again.
#include <string_view>

#include "pages/common/panel_exchange.h"
#include "pages/setting/ip_setting.h"
#include "protocol/commands.h"
#include "resources/resource.h"

namespace sc = setting_controls;

namespace {

std::string_view StartCommand(IPSetting::AssignMode mode, bool retry) {
  if (mode == IPSetting::kRenewMode) return retry ? commands::kRenewRetry : commands::kRenewStart;
  return retry ? commands::kKeepRetry : commands::kKeepStart;
}

std::string_view SetCommand(IPSetting::AssignMode mode) {
  return mode == IPSetting::kRenewMode ? commands::kRenewSet : commands::kKeepSet;
}

}  // namespace

void IPSetting::OnRenew() { StartAssignment(kRenewMode); }

void IPSetting::OnKeep() { StartAssignment(kKeepMode); }

void IPSetting::StartAssignment(AssignMode mode) {
  // The proposal comes as a whole record, ended by the panel's close.
  if (!FetchRecord(StartCommand(mode, assignMode != kNoAssignment))) return;  // nothing changes
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
  for (int c = 0; c < kCameraCount; ++c) {
    if (table_.CamFlags(c) & kDuplicateFlag) ShowDuplication(table_.CamAddr(c));
  }
  if (table_.SwFlags() & kDuplicateFlag) ShowDuplication(table_.SwAddr());
}

void IPSetting::FinishAssignment() {
  if (ShowMessage("IP Setting Start", std::nullopt, ui::kMbYesNo) != ui::kIdYes) return;
  {
    PanelExchange exchange(*this, link_, kExchangeTexts);
    switch (exchange.Start(SetCommand(assignMode))) {
      case ExchangeStart::kFailed:
        return;  // reported; the assignment stays in progress
      case ExchangeStart::kNoSocket:
        break;
      case ExchangeStart::kSent:
        if (const auto received = exchange.Session().ReceiveUntilClosed()) {
          // A shorter reply must not match what the buffer held before.
          if (*received >= replies::kSettingOk.size() &&
              exchange.Session().ReplyStartsWith(replies::kSettingOk)) {
            ShowMessage("Finish!!", std::nullopt, ui::kMbOk);
          } else {
            ShowFailure("Setting Error!!");
          }
        }
        break;
    }
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
