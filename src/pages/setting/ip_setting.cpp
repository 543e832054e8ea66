#include "pages/setting/ip_setting.h"

#include <string>
#include <vector>

#include "resources/resource.h"

namespace sc = setting_controls;

namespace {

std::vector<std::string> Items(std::span<const std::string_view> texts, int count) {
  return std::vector<std::string>(texts.begin(), texts.begin() + count);
}

}  // namespace

IPSetting::IPSetting(const PageContext& context)
    : ui::Page(IDD_IP_SETTING, context.host),
      panel_(context.panel),
      selector_(context.panel.panels, Controls(), IDC_PANEL_SELECTOR) {
  DeclareControls();
  MapMessages();
  // The table starts all zero: every camera NoAsign at 0.0.0.0; the rows
  // show it from OnInitDialog on.
}

void IPSetting::DeclareControls() {
  ui::ControlModel& controls = Controls();
  const auto declareStatics = [&](std::span<const int> ids) {
    for (int id : ids) controls.Declare(id, ui::ControlKind::kStatic);
  };
  const auto declareLists = [&](std::span<const int> ids, std::vector<std::string> items) {
    for (int id : ids) controls.Declare(id, ui::ControlKind::kComboBox).items = items;
  };

  declareStatics(sc::kHeaders);
  declareStatics(sc::kGroupLabels);
  declareStatics(sc::kCameraNo);
  declareStatics(sc::kCameraName);
  declareStatics(sc::kMac);
  declareStatics(sc::kHttpPort);
  declareStatics(sc::kAlarm);
  declareStatics(std::array{IDC_SW_CAMERA_NO, IDC_SW_MAC});

  // Initial list contents: Serial and CAM_Direct only where cameras C001
  // to C005 are shown, the switcher NoAsign or Network.
  const std::span<const int> types(sc::kType);
  declareLists(types.first(sc::kRowsOfFirstGroup), Items(sc::kCameraTypes, 5));
  declareLists(types.subspan(sc::kRowsOfFirstGroup),
               Items(sc::kCameraTypes, sc::kNetworkTypeCount));
  declareLists(std::array{IDC_SW_TYPE}, Items(sc::kCameraTypes, sc::kSwitcherTypeCount));
  declareLists(sc::kSwInput, Items(sc::kSwInputs, 6));
  declareLists(sc::kCameraSelect, {std::string(sc::kBlankEntry)});

  for (int id : sc::kIp) controls.Declare(id, ui::ControlKind::kIpAddress);
  controls.Declare(IDC_SW_IP, ui::ControlKind::kIpAddress);
  controls.Declare(IDC_PANEL_SELECTOR, ui::ControlKind::kComboBox);
  controls.Declare(IDC_SETTING_SCROLL, ui::ControlKind::kScrollBar);
  for (int id : {IDC_SETTING_RENEW, IDC_SETTING_KEEP, IDC_SETTING_REFRESH, IDC_SETTING_ALL_CLEAR,
                 IDC_SETTING_SET, IDC_SETTING_CANCEL}) {
    controls.Declare(id, ui::ControlKind::kButton);
  }
}

void IPSetting::MapMessages() {
  using ui::Notification;
  for (int r = 0; r < sc::kRowCount; ++r) {
    On(sc::kType[r], Notification::kSelChange, [this, r] { OnTypeChange(r); });
    On(sc::kSwInput[r], Notification::kSelChange, [this, r] { OnSwInputChange(r); });
    On(sc::kCameraSelect[r], Notification::kSelChange, [this, r] { OnCameraSelect(r); });
  }
  On(IDC_SW_TYPE, Notification::kSelChange, [this] { OnTypeChange(sc::kSwitcherRow); });
  On(IDC_PANEL_SELECTOR, Notification::kSelChange, [this] { OnPanelSelect(); });
  On(IDC_SETTING_REFRESH, Notification::kClicked, [this] { OnRefresh(); });
  On(IDC_SETTING_SET, Notification::kClicked, [this] { OnSet(); });
  On(IDC_SETTING_RENEW, Notification::kClicked, [this] { OnRenew(); });
  On(IDC_SETTING_KEEP, Notification::kClicked, [this] { OnKeep(); });
  On(IDC_SETTING_CANCEL, Notification::kClicked, [this] { OnCancel(CancelButton{}); });
  On(IDC_SETTING_ALL_CLEAR, Notification::kClicked, [this] { OnAllClear(); });
}

bool IPSetting::OnInitDialog() {
  ShowRows();
  FillCameraSelectLists();
  Controls().Enable(IDC_SETTING_CANCEL, false);
  // One position per possible top group.
  Controls().SetScrollRange(IDC_SETTING_SCROLL, 0, sc::kLastTopGroup);
  Controls().SetScrollPos(IDC_SETTING_SCROLL, 0);
  // Filling and selecting by code leaves the current panel address alone.
  selector_.Fill();
  panelIndex = 0;
  Controls().SetSelection(IDC_PANEL_SELECTOR, panelIndex);
  return true;
}

void IPSetting::RefreshPanelSelector() { panelIndex = selector_.Refresh(panelIndex); }
