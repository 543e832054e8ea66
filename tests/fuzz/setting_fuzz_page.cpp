#include "setting_fuzz_page.h"

#include <algorithm>

#include "pages/setting/ip_setting_controls.h"
#include "resources/resource.h"

namespace fuzz {

namespace sc = setting_controls;

SettingPage::SettingPage() { rig_.page.OnInitDialog(); }

void SettingPage::RequireAddressShown(int row, PanelAddress shown, PanelAddress held) const {
  const unsigned bit = 1u << row;
  if (shown == held) {
    typedRows_ &= ~bit;
  } else {
    FUZZ_REQUIRE(typedRows_ & bit);
  }
}

void SettingPage::RequireScreenShowsTable() const {
  const ui::ControlModel& screen = Screen();
  const IpSettingRecord& table = Table();
  const int top = screen.ScrollPos(IDC_SETTING_SCROLL);
  FUZZ_REQUIRE(top >= 0 && top <= sc::kLastTopGroup);
  for (int k = 0; k < sc::kGroupsShown; ++k) {
    FUZZ_REQUIRE(screen.Text(sc::kGroupLabels[k]) == GroupLabel(top + k));
  }
  const auto selectionOf = [&](int id, int value) {
    return value < static_cast<int>(screen.Items(id).size()) ? value : -1;
  };
  for (int r = 0; r < sc::kRowCount; ++r) {
    const int c = kCamerasPerGroup * top + r;
    FUZZ_REQUIRE(screen.Text(sc::kCameraNo[r]) == CameraLabel(c));
    FUZZ_REQUIRE(screen.Text(sc::kCameraName[r]) == table.CamName(c));
    FUZZ_REQUIRE(screen.Text(sc::kAlarm[r]) == AlarmText(table, c));
    FUZZ_REQUIRE(screen.Text(sc::kHttpPort[r]) == std::to_string(HttpPort(table.CamAddr(c))));
    FUZZ_REQUIRE(screen.Text(sc::kMac[r]) == MacText(table.CamMac(c)));
    RequireAddressShown(r, screen.Address(sc::kIp[r]), GetIp(table.CamAddr(c)));
    FUZZ_REQUIRE(screen.Selection(sc::kType[r]) == selectionOf(sc::kType[r], table.CamKind(c)));
    FUZZ_REQUIRE(screen.Selection(sc::kSwInput[r]) == InputOfCamera(table, c));
    // Only Serial and CAM_Direct belong to the first group's cameras.
    const std::size_t types = screen.Items(sc::kType[r]).size();
    FUZZ_REQUIRE(types == (c < kCamerasPerGroup ? 5u : 3u));

    // CAMERA Select offers the blank entry and then, in order, every other
    // camera that takes part; rows 1 to 5 only outside an assignment and
    // while their own camera takes part.
    const std::vector<std::string>& items = screen.Items(sc::kCameraSelect[r]);
    FUZZ_REQUIRE(!items.empty() && items[0] == sc::kBlankEntry);
    if (r < sc::kRowsOfFirstGroup && firstRowsMayBeBlank_ && items.size() == 1 &&
        !screen.IsEnabled(sc::kCameraSelect[r])) {
      continue;
    }
    const bool rowOffers =
        r >= sc::kRowsOfFirstGroup || (!Assigning() && table.CamKind(c) < kPageSerial);
    std::size_t offered = 1;
    for (int i = 0; rowOffers && i < kCameraCount; ++i) {
      if (i == c || table.CamKind(i) >= kPageSerial) continue;
      FUZZ_REQUIRE(offered < items.size() && items[offered] == CameraLabel(i));
      ++offered;
    }
    FUZZ_REQUIRE(items.size() == offered);
    FUZZ_REQUIRE(screen.Selection(sc::kCameraSelect[r]) <= 0);
    const bool selectable = r < sc::kRowsOfFirstGroup ? offered > 1 && !Assigning() : !Assigning();
    FUZZ_REQUIRE(screen.IsEnabled(sc::kCameraSelect[r]) == selectable);
  }
  // Lists rebuilt since show the rule again.
  if (screen.Items(sc::kCameraSelect[0]).size() > 1) firstRowsMayBeBlank_ = false;
  FUZZ_REQUIRE(screen.Text(IDC_SW_MAC) == MacText(table.SwMac()));
  FUZZ_REQUIRE(screen.Selection(IDC_SW_TYPE) == selectionOf(IDC_SW_TYPE, table.SwKind()));
  RequireAddressShown(sc::kSwitcherRow, screen.Address(IDC_SW_IP), GetIp(table.SwAddr()));
}

void SettingPage::RequireEveryPositionShowsTable() {
  const IpSettingRecord before = Table();
  const int start = Screen().ScrollPos(IDC_SETTING_SCROLL);
  for (int position = 0; position <= sc::kLastTopGroup; ++position) {
    rig_.page.OnVScroll(ui::kSbThumbPosition, position, IDC_SETTING_SCROLL);
    FUZZ_REQUIRE(Screen().ScrollPos(IDC_SETTING_SCROLL) == position);
    RequireScreenShowsTable();
  }
  rig_.page.OnVScroll(ui::kSbThumbPosition, start, IDC_SETTING_SCROLL);
  RequireScreenShowsTable();
  FUZZ_REQUIRE(Table() == before);
}

IpSettingRecord TableAfterRead(const IpSettingRecord& before, const std::string& received) {
  if (received.size() != IpSettingRecord::kSize) return before;
  IpSettingRecord record;
  std::copy(received.begin(), received.end(), record.bytes.begin());
  if (!IsChecksumValid(record.bytes)) return before;
  DecodeKinds(record);
  return record;
}

void SettingPage::RefreshAndRequireRead(FuzzInput& input) {
  const IpSettingRecord before = Table();
  const ScriptedConnection connection = Click(IDC_SETTING_REFRESH, input);
  const std::optional<std::string> received = BlockReceived(connection, kReadCommand);
  FUZZ_REQUIRE(Table() == (received ? TableAfterRead(before, *received) : before));
}

std::string DuplicationText(ConstAddrField entry) {
  return "IP(" + std::to_string(entry[0]) + "." + std::to_string(entry[1]) + "." +
         std::to_string(entry[2]) + "." + std::to_string(entry[3]) + ") Duplication";
}

}  // namespace fuzz
