#include "setting_fuzz_page.h"

#include <algorithm>

#include "pages/setting/ip_setting_controls.h"
#include "resources/resource.h"
#include "rules/camera_table_edits.h"
#include "rules/camera_table_texts.h"
#include "rules/camera_table_words.h"
#include "table_oracle.h"

namespace fuzz {

namespace sc = setting_controls;

SettingPage::SettingPage() { rig_.page.OnInitDialog(); }

void SettingPage::RequireAddressShown(int row, protocol::PanelAddress shown,
                                      protocol::PanelAddress held) const {
  const unsigned bit = 1u << row;
  if (shown == held) {
    typedRows_ &= ~bit;
  } else {
    FUZZ_REQUIRE(typedRows_ & bit);
  }
}

namespace {

// True when `text` is CameraLabel(c), "C001" to "C100", read digit by digit.
bool IsCameraLabel(const std::string& text, int c) {
  const int number = c + 1;
  return text.size() == 4 && text[0] == 'C' && text[1] == '0' + number / 100 &&
         text[2] == '0' + number / 10 % 10 && text[3] == '0' + number % 10;
}

}  // namespace

const SettingPage::CameraTexts& SettingPage::TextsOf(int c) const {
  const protocol::IpSettingRecord& table = Table();
  std::array<std::uint8_t, 23> fields{};
  auto at = std::ranges::copy(table.CamMac(c), fields.begin()).out;
  at = std::ranges::copy(table.CamAddr(c), at).out;
  at = std::ranges::copy(table.CamNameField(c), at).out;
  *at++ = static_cast<std::uint8_t>(table.CamAlarm(c) >> 8);
  *at = static_cast<std::uint8_t>(table.CamAlarm(c));
  CameraTexts& texts = cameraTexts_[c];
  if (texts.fields != fields) {
    texts.name = oracle::NameText(table, c);
    texts.alarm = oracle::AlarmText(table, c);
    texts.port = oracle::PortText(table, c);
    texts.mac = oracle::MacText(table, c);
    texts.fields = fields;
  }
  return texts;
}

void SettingPage::RequireScreenShowsTable() const {
  const ui::ControlModel& screen = Screen();
  const protocol::IpSettingRecord& table = Table();
  const int top = screen.ScrollPos(IDC_SETTING_SCROLL);
  FUZZ_REQUIRE(top >= 0 && top <= sc::kLastTopGroup);
  for (int k = 0; k < sc::kGroupsShown; ++k) {
    FUZZ_REQUIRE(screen.Text(sc::kGroupLabels[k]) == rules::GroupLabel(top + k));
  }
  const auto selectionOf = [](const ui::ControlState& list, int value) {
    return value < static_cast<int>(list.items.size()) ? value : -1;
  };
  // The cameras that CAMERA Select offers, in order.
  std::bitset<protocol::kCameraCount> takingPart;
  std::vector<int> offeredCameras;
  offeredCameras.reserve(protocol::kCameraCount);
  for (int i = 0; i < protocol::kCameraCount; ++i) {
    if (oracle::TypeItem(table, i) >= rules::kPageSerial) continue;
    takingPart.set(i);
    offeredCameras.push_back(i);
  }
  const bool assigning = Assigning();
  for (int r = 0; r < sc::kRowCount; ++r) {
    const int c = protocol::kCamerasPerGroup * top + r;
    const CameraTexts& texts = TextsOf(c);
    FUZZ_REQUIRE(screen.Text(sc::kCameraNo[r]) == rules::CameraLabel(c));
    FUZZ_REQUIRE(screen.Text(sc::kCameraName[r]) == texts.name);
    FUZZ_REQUIRE(screen.Text(sc::kAlarm[r]) == texts.alarm);
    FUZZ_REQUIRE(screen.Text(sc::kHttpPort[r]) == texts.port);
    FUZZ_REQUIRE(screen.Text(sc::kMac[r]) == texts.mac);
    RequireAddressShown(r, screen.Address(sc::kIp[r]), protocol::GetIp(table.CamAddr(c)));
    const ui::ControlState& type = screen.State(sc::kType[r]);
    FUZZ_REQUIRE(type.selection == selectionOf(type, oracle::TypeItem(table, c)));
    FUZZ_REQUIRE(screen.Selection(sc::kSwInput[r]) == rules::InputOfCamera(table, c));
    // Only Serial and CAM_Direct belong to the first group's cameras.
    FUZZ_REQUIRE(type.items.size() == (c < protocol::kCamerasPerGroup ? 5u : 3u));

    // CAMERA Select offers the blank entry and then, in order, every other
    // camera that takes part; rows 1 to 5 only outside an assignment and
    // while their own camera takes part.
    const ui::ControlState& list = screen.State(sc::kCameraSelect[r]);
    const std::vector<std::string>& items = list.items;
    FUZZ_REQUIRE(!items.empty() && items[0] == sc::kBlankEntry);
    if (r < sc::kRowsOfFirstGroup && firstRowsMayBeBlank_ && items.size() == 1 && !list.enabled) {
      continue;
    }
    const bool rowOffers = r >= sc::kRowsOfFirstGroup ||
                           (!assigning && oracle::TypeItem(table, c) < rules::kPageSerial);
    CheckedList& checked = checkedLists_[r];
    const bool checkedAlready = checked.itemsRevision == list.itemsRevision &&
                                checked.camera == c && checked.offers == rowOffers &&
                                checked.takingPart == takingPart;
    std::size_t offered = 1;
    if (checkedAlready) {
      offered = items.size();
    } else {
      for (std::size_t k = 0; rowOffers && k < offeredCameras.size(); ++k) {
        const int i = offeredCameras[k];
        if (i == c) continue;
        FUZZ_REQUIRE(offered < items.size() && IsCameraLabel(items[offered], i));
        ++offered;
      }
      FUZZ_REQUIRE(items.size() == offered);
      checked = {list.itemsRevision, c, rowOffers, takingPart};
    }
    FUZZ_REQUIRE(list.selection <= 0);
    const bool selectable = r < sc::kRowsOfFirstGroup ? offered > 1 && !assigning : !assigning;
    FUZZ_REQUIRE(list.enabled == selectable);
  }
  // Lists rebuilt since show the rule again.
  if (screen.Items(sc::kCameraSelect[0]).size() > 1) firstRowsMayBeBlank_ = false;
  FUZZ_REQUIRE(screen.Text(IDC_SW_MAC) == oracle::SwitcherMacText(table));
  const ui::ControlState& swType = screen.State(IDC_SW_TYPE);
  FUZZ_REQUIRE(swType.selection == selectionOf(swType, table.SwKind()));
  RequireAddressShown(sc::kSwitcherRow, screen.Address(IDC_SW_IP), protocol::GetIp(table.SwAddr()));
}

SettingPage::Swept SettingPage::SweepState() const {
  return {Table(), Assigning(), typedRows_, firstRowsMayBeBlank_};
}

void SettingPage::RequireEveryPositionShowsTable() {
  if (swept_ && *swept_ == SweepState()) return;
  const protocol::IpSettingRecord before = Table();
  const int start = Screen().ScrollPos(IDC_SETTING_SCROLL);
  for (int position = 0; position <= sc::kLastTopGroup; ++position) {
    rig_.page.OnVScroll(ui::kSbThumbPosition, position, IDC_SETTING_SCROLL);
    FUZZ_REQUIRE(Screen().ScrollPos(IDC_SETTING_SCROLL) == position);
    RequireScreenShowsTable();
  }
  rig_.page.OnVScroll(ui::kSbThumbPosition, start, IDC_SETTING_SCROLL);
  RequireScreenShowsTable();
  FUZZ_REQUIRE(Table() == before);
  swept_ = SweepState();
}

void SettingPage::RefreshAndRequireRead(FuzzInput& input) {
  const protocol::IpSettingRecord before = Table();
  const ScriptedConnection connection = Click(IDC_SETTING_REFRESH, input);
  const std::optional<std::string> received = BlockReceived(connection, kReadCommand);
  FUZZ_REQUIRE(Table() == (received ? oracle::TableAfterRead(before, *received) : before));
}

std::string DuplicationText(protocol::ConstAddrField entry) {
  return "IP(" + std::to_string(entry[0]) + "." + std::to_string(entry[1]) + "." +
         std::to_string(entry[2]) + "." + std::to_string(entry[3]) + ") Duplication";
}

}  // namespace fuzz
