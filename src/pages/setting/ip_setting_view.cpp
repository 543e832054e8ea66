// The table view: rows from the table, the controls from the rows, the
// CAMERA Select lists, scrolling one group at a time, and the colours.
#include <algorithm>
#include <string>
#include <vector>

#include "pages/setting/ip_setting.h"
#include "resources/resource.h"

namespace sc = setting_controls;

namespace {

constexpr ui::Rgb kWhite{255, 255, 255};
constexpr ui::Rgb kBlue{0, 0, 255};
constexpr ui::Rgb kYellow{255, 255, 0};

bool IsHeader(int id) {
  return std::find(sc::kHeaders.begin(), sc::kHeaders.end(), id) != sc::kHeaders.end();
}

// Only Network, IP_Direct and NoAsign cameras take part in CAMERA Select.
bool TakesPartInCameraSelect(std::uint8_t pageKind) { return pageKind < kPageSerial; }

}  // namespace

void IPSetting::RefreshView() {
  for (int r = 0; r < sc::kRowCount; ++r) {
    const int c = CameraOfRow(r);
    rowLabel[r] = CameraLabel(c);
    rowNameText[r] = table_.CamName(c);
    rowAlarmText[r] = AlarmText(table_, c);
    rowSwInputIndex[r] = 0;
    rowKindIndex[r] = table_.CamKind(c);
    rowMacText[r] = MacText(table_.CamMac(c));
    rowPortText[r] = std::to_string(HttpPort(table_.CamAddr(c)));
    rowIp[r] = GetIp(table_.CamAddr(c));
  }
  // A later input overwrites an earlier one that holds the same camera.
  for (int k = 1; k <= kSwitcherInputCount; ++k) {
    const int row = table_.SwInput(k - 1) - 1 - CameraOfRow(0);
    if (row >= 0 && row < sc::kRowCount) rowSwInputIndex[row] = k;
  }
  rowKindIndex[sc::kSwitcherRow] = table_.SwKind();
  rowMacText[sc::kSwitcherRow] = MacText(table_.SwMac());
  rowIp[sc::kSwitcherRow] = GetIp(table_.SwAddr());
}

void IPSetting::PushToControls() {
  ui::ControlModel& controls = Controls();
  for (int k = 0; k < sc::kGroupsShown; ++k) controls.SetText(sc::kGroupLabels[k], groupLabel[k]);
  for (int r = 0; r < sc::kRowCount; ++r) {
    controls.SetText(sc::kCameraNo[r], rowLabel[r]);
    controls.SetText(sc::kCameraName[r], rowNameText[r]);
    controls.SetText(sc::kAlarm[r], rowAlarmText[r]);
    controls.SetText(sc::kHttpPort[r], rowPortText[r]);
    controls.SetText(sc::kMac[r], rowMacText[r]);
    // A value without an item in the list leaves the list with no selection.
    controls.SetSelection(sc::kType[r], rowKindIndex[r]);
    controls.SetSelection(sc::kSwInput[r], rowSwInputIndex[r]);
    controls.SetAddress(sc::kIp[r], rowIp[r]);
  }
  controls.SetText(IDC_SW_MAC, rowMacText[sc::kSwitcherRow]);
  controls.SetSelection(IDC_SW_TYPE, rowKindIndex[sc::kSwitcherRow]);
  controls.SetAddress(IDC_SW_IP, rowIp[sc::kSwitcherRow]);
  controls.SetSelection(IDC_PANEL_SELECTOR, panelIndex);
}

void IPSetting::StoreVisibleAddresses() {
  for (int r = 0; r < sc::kRowCount; ++r) {
    const AddrField entry = table_.CamAddr(CameraOfRow(r));
    SetIp(entry, Controls().Address(sc::kIp[r]));
    rowIp[r] = GetIp(entry);
  }
  SetIp(table_.SwAddr(), Controls().Address(IDC_SW_IP));
  rowIp[sc::kSwitcherRow] = GetIp(table_.SwAddr());
}

void IPSetting::FillCameraSelectLists() {
  std::array<std::vector<std::string>, sc::kRowCount> lists;
  for (auto& list : lists) list.assign(1, std::string(sc::kBlankEntry));
  std::array<bool, sc::kRowsOfFirstGroup> enabled{};

  for (int i = 0; i < kCameraCount; ++i) {
    if (!TakesPartInCameraSelect(table_.CamKind(i))) continue;
    for (int r = 0; r < sc::kRowCount; ++r) {
      const int own = CameraOfRow(r);
      if (i == own) continue;
      if (r < sc::kRowsOfFirstGroup) {
        // Rows 1 to 5 offer cameras only outside an assignment, and only
        // when their own camera takes part.
        if (assignMode != kNoAssignment || !TakesPartInCameraSelect(table_.CamKind(own))) continue;
        enabled[r] = true;
      }
      lists[r].push_back(CameraLabel(i));
    }
  }
  for (int r = 0; r < sc::kRowCount; ++r) {
    Controls().SetItems(sc::kCameraSelect[r], std::move(lists[r]));
    // Rows 6 to 15 are enabled and disabled by the assignment alone.
    if (r < sc::kRowsOfFirstGroup) Controls().Enable(sc::kCameraSelect[r], enabled[r]);
  }
}

void IPSetting::FillFirstRowsTypeLists() {
  // Cameras C001 to C005 alone may be Serial or CAM_Direct.
  const int count =
      topGroup == 0 ? static_cast<int>(sc::kCameraTypes.size()) : sc::kNetworkTypeCount;
  const std::vector<std::string> items(sc::kCameraTypes.begin(), sc::kCameraTypes.begin() + count);
  for (int r = 0; r < sc::kRowsOfFirstGroup; ++r) Controls().SetItems(sc::kType[r], items);
}

void IPSetting::OnVScroll(int request, int position, int scrollBarId) {
  if (scrollBarId != IDC_SETTING_SCROLL) return;
  const int t = topGroup;
  int p = t;
  switch (request) {
    case ui::kSbLineUp:
    case ui::kSbPageUp:
      p = t - 1;
      break;
    case ui::kSbLineDown:
    case ui::kSbPageDown:
      p = t + 1;
      break;
    case ui::kSbThumbPosition:
      p = position;
      break;
    case ui::kSbTop:
      p = 0;
      break;
    case ui::kSbBottom:
      p = sc::kLastTopGroup;
      break;
    default:
      break;
  }
  // The last view shows groups 18 to 20; no position may show beyond them.
  p = std::clamp(p, 0, sc::kLastTopGroup);
  if (p == t) return;

  StoreVisibleAddresses();
  topGroup = p;
  Controls().SetScrollPos(IDC_SETTING_SCROLL, p);
  FillFirstRowsTypeLists();
  for (int k = 0; k < sc::kGroupsShown; ++k) groupLabel[k] = GroupLabel(p + k);
  FillCameraSelectLists();
  RefreshView();
  PushToControls();
}

std::optional<ui::ControlColors> IPSetting::OnCtlColor(int id) {
  if (IsHeader(id)) return ui::ControlColors{kWhite, kBlue};
  if (assignMode == kNoAssignment) return std::nullopt;
  // During an assignment the cameras the panel moved are marked.
  const auto row = std::find(sc::kCameraNo.begin(), sc::kCameraNo.end(), id);
  if (row != sc::kCameraNo.end()) {
    const int c = CameraOfRow(static_cast<int>(row - sc::kCameraNo.begin()));
    if (table_.CamFlags(c) & kHighlightFlag) return ui::ControlColors{std::nullopt, kYellow};
  }
  if (id == IDC_SW_CAMERA_NO && (table_.SwFlags() & kHighlightFlag)) {
    return ui::ControlColors{std::nullopt, kYellow};
  }
  return std::nullopt;
}
