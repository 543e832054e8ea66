// The table view: the rows shown from the table, the CAMERA Select lists,
// scrolling one group at a time, and the colours.
#include <algorithm>
#include <string>
#include <vector>

#include "pages/setting/ip_setting.h"
#include "resources/resource.h"
#include "rules/camera_table_edits.h"
#include "rules/camera_table_texts.h"
#include "rules/camera_table_words.h"

namespace sc = setting_controls;

namespace {

constexpr ui::Rgb kWhite{255, 255, 255};
constexpr ui::Rgb kBlue{0, 0, 255};
constexpr ui::Rgb kYellow{255, 255, 0};

bool IsHeader(int id) {
  return std::find(sc::kHeaders.begin(), sc::kHeaders.end(), id) != sc::kHeaders.end();
}

}  // namespace

void IPSetting::ShowRows() {
  ui::ControlModel& controls = Controls();
  for (int k = 0; k < sc::kGroupsShown; ++k) {
    controls.SetText(sc::kGroupLabels[k], rules::GroupLabel(topGroup + k));
  }
  for (int r = 0; r < sc::kRowCount; ++r) {
    const int c = CameraOfRow(r);
    controls.SetText(sc::kCameraNo[r], rules::CameraLabel(c));
    controls.SetText(sc::kCameraName[r], table_.CamName(c));
    controls.SetText(sc::kAlarm[r], rules::AlarmText(table_, c));
    controls.SetText(sc::kHttpPort[r], std::to_string(protocol::HttpPort(table_.CamAddr(c))));
    controls.SetText(sc::kMac[r], rules::MacText(table_.CamMac(c)));
    // A value without an item in the list leaves the list with no selection.
    controls.SetSelection(sc::kType[r], rules::CamPageKind(table_, c));
    controls.SetSelection(sc::kSwInput[r], rules::InputOfCamera(table_, c));
    controls.SetAddress(sc::kIp[r], protocol::GetIp(table_.CamAddr(c)));
  }
  controls.SetText(IDC_SW_MAC, rules::MacText(table_.SwMac()));
  controls.SetSelection(IDC_SW_TYPE, table_.SwKind());
  controls.SetAddress(IDC_SW_IP, protocol::GetIp(table_.SwAddr()));
  controls.SetSelection(IDC_PANEL_SELECTOR, panelIndex);
}

void IPSetting::StoreVisibleAddresses() {
  for (int r = 0; r < sc::kRowCount; ++r) {
    protocol::SetIp(table_.CamAddr(CameraOfRow(r)), Controls().Address(sc::kIp[r]));
  }
  protocol::SetIp(table_.SwAddr(), Controls().Address(IDC_SW_IP));
}

void IPSetting::FillCameraSelectLists() {
  // The cameras that take part, in camera order: each list offers them all
  // but its own row's camera.
  std::vector<int> offered;
  offered.reserve(protocol::kCameraCount);
  std::bitset<protocol::kCameraCount> offeredSet;
  for (int i = 0; i < protocol::kCameraCount; ++i) {
    if (!rules::TakesPartInCameraSelect(table_.CamKind(i))) continue;
    offered.push_back(i);
    offeredSet.set(static_cast<std::size_t>(i));
  }
  for (int r = 0; r < sc::kRowCount; ++r) {
    const int id = sc::kCameraSelect[r];
    const int own = CameraOfRow(r);
    // Rows 1 to 5 offer cameras only outside an assignment, and only when
    // their own camera takes part.
    const bool offers =
        r >= sc::kRowsOfFirstGroup ||
        (assignMode == kNoAssignment && rules::TakesPartInCameraSelect(table_.CamKind(own)));
    const CameraSelectSource source{0, offers ? own : -1,
                                    offers ? offeredSet : std::bitset<protocol::kCameraCount>{}};
    CameraSelectSource& built = cameraSelectSources_[static_cast<std::size_t>(r)];
    if (built.itemsRevision == Controls().State(id).itemsRevision && built.own == source.own &&
        built.offered == source.offered) {
      Controls().SetItemsAgain(id);
    } else {
      std::vector<std::string> list;
      list.reserve(offered.size() + 1);
      list.emplace_back(sc::kBlankEntry);
      for (std::size_t k = 0; offers && k < offered.size(); ++k) {
        if (offered[k] != own) list.push_back(rules::CameraLabel(offered[k]));
      }
      Controls().SetItems(id, std::move(list));
      built = source;
    }
    built.itemsRevision = Controls().State(id).itemsRevision;
    // Rows 6 to 15 are enabled and disabled by the assignment alone.
    if (r < sc::kRowsOfFirstGroup) Controls().Enable(id, Controls().Items(id).size() > 1);
  }
}

void IPSetting::FillFirstRowsTypeLists() {
  // Rows 1 to 5 show one group, whose cameras all take the same types.
  const int count = rules::TypeCountOf(CameraOfRow(0));
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
  FillCameraSelectLists();
  ShowRows();
}

std::optional<ui::ControlColors> IPSetting::OnCtlColor(int id) {
  if (IsHeader(id)) return ui::ControlColors{kWhite, kBlue};
  if (assignMode == kNoAssignment) return std::nullopt;
  // During an assignment the cameras the panel moved are marked.
  const auto row = std::find(sc::kCameraNo.begin(), sc::kCameraNo.end(), id);
  if (row != sc::kCameraNo.end()) {
    const int c = CameraOfRow(static_cast<int>(row - sc::kCameraNo.begin()));
    if (table_.CamFlags(c) & protocol::kHighlightFlag)
      return ui::ControlColors{std::nullopt, kYellow};
  }
  if (id == IDC_SW_CAMERA_NO && (table_.SwFlags() & protocol::kHighlightFlag)) {
    return ui::ControlColors{std::nullopt, kYellow};
  }
  return std::nullopt;
}
