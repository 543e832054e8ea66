// Row editing: Type and SW Input lists, exchanging cameras, and the panel
// selector.
#include "rules/camera_table_texts.h"
#include "rules/camera_table_words.h"
#include "setting_page_fixture.h"

namespace setting_test {
namespace {

using testing_support::EnterAddress;
using testing_support::Pick;

using RowEditing = SettingPageScripted;
using PanelChoice = SettingPageWithPanel;

std::array<std::uint8_t, 5> Inputs(const protocol::IpSettingRecord& table) {
  std::array<std::uint8_t, 5> inputs{};
  for (int k = 0; k < 5; ++k) inputs[k] = table.SwInput(k);
  return inputs;
}

TEST_F(RowEditing, AFreeInputMovesTheCameraThereInOneStep) {
  protocol::IpSettingRecord table = PanelTable();
  table.SwInput(3) = 7;  // C007 on INPUT4
  Load(table);

  PickInput(9, 0);  // C010 holds nothing: NoAsign changes nothing
  EXPECT_EQ(Inputs(page.Table()), (std::array<std::uint8_t, 5>{0, 0, 0, 7, 0}));

  PickInput(6, 2);  // C007 takes the free INPUT2
  EXPECT_EQ(Inputs(page.Table()), (std::array<std::uint8_t, 5>{0, 7, 0, 0, 0}));
  EXPECT_EQ(Text(sc::kSwInput[6]), "INPUT2");

  PickInput(6, 0);
  EXPECT_EQ(Inputs(page.Table()), (std::array<std::uint8_t, 5>{0, 0, 0, 0, 0}));
  EXPECT_EQ(Text(sc::kSwInput[6]), "NoAsign");
  EXPECT_TRUE(host.boxes.empty());
}

TEST_F(RowEditing, AnInputHeldByAnotherCameraIsRefusedAndTheListGoesBack) {
  protocol::IpSettingRecord table = PanelTable();
  table.SwInput(0) = 2;  // C002 on INPUT1
  table.SwInput(2) = 5;  // C005 on INPUT3
  Load(table);

  for (const auto& [row, before] : {std::pair{4, "INPUT3"}, std::pair{7, "NoAsign"}}) {
    host.boxes.clear();
    PickInput(row, 1);
    ASSERT_EQ(host.BoxTexts(), Texts{"Already Assigned!!"});
    EXPECT_EQ(host.boxes[0].style, ui::kMbOk | ui::kMbIconExclamation);
    EXPECT_EQ(host.boxes[0].caption, testing_support::kApplicationName);
    EXPECT_EQ(Text(sc::kSwInput[row]), before);
  }
  EXPECT_EQ(Inputs(page.Table()), (std::array<std::uint8_t, 5>{2, 0, 5, 0, 0}));

  host.boxes.clear();
  PickInput(4, 3);  // its own input again
  EXPECT_TRUE(host.boxes.empty());
  EXPECT_EQ(Inputs(page.Table()), (std::array<std::uint8_t, 5>{2, 0, 5, 0, 0}));
}

TEST_F(RowEditing, ReleasingACameraFreesEveryInputTheTableGaveIt) {
  protocol::IpSettingRecord table = PanelTable();
  table.SwInput(1) = 3;  // C003 on INPUT2 and INPUT4, from the panel
  table.SwInput(3) = 3;
  Load(table);
  EXPECT_EQ(Text(sc::kSwInput[2]), "INPUT4");
  PickInput(2, 0);
  EXPECT_EQ(Inputs(page.Table()), (std::array<std::uint8_t, 5>{0, 0, 0, 0, 0}));
  Scroll(ui::kSbLineDown);
  Scroll(ui::kSbLineUp);
  EXPECT_EQ(Text(sc::kSwInput[2]), "NoAsign") << "no input left behind";
}

TEST_F(RowEditing, TypeChangesRebuildTheCameraSelectLists) {
  Load(PanelTable());
  EnterAddress(page, sc::kIp[8], Ip(10, 9, 9, 9));  // typed before the change

  PickType(2, "Serial");  // C003
  EXPECT_EQ(rules::CamPageKind(page.Table(), 2), rules::kPageSerial);
  EXPECT_EQ(Text(sc::kType[2]), "Serial");
  for (int r = 0; r < sc::kRowCount; ++r) {
    const Texts& items = Screen().Items(sc::kCameraSelect[r]);
    EXPECT_EQ(std::count(items.begin(), items.end(), "C003"), 0) << r;
  }
  EXPECT_FALSE(Screen().IsEnabled(sc::kCameraSelect[2]));
  EXPECT_EQ(Screen().Items(sc::kCameraSelect[2]), Texts{" "});
  EXPECT_EQ(protocol::GetIp(page.Table().CamAddr(8)), Ip(10, 9, 9, 9))
      << "the typed address was kept";

  PickType(2, "Network");
  EXPECT_TRUE(Screen().IsEnabled(sc::kCameraSelect[2]));
  const Texts& items = Screen().Items(sc::kCameraSelect[0]);
  EXPECT_EQ(items[2], "C003");

  PickType(sc::kSwitcherRow, "NoAsign");
  EXPECT_EQ(page.Table().SwKind(), protocol::kSwitcherNoAsign);
  EXPECT_EQ(Text(IDC_SW_TYPE), "NoAsign");
}

TEST_F(RowEditing, ACameraMadeNoAsignKeepsItsInput) {
  protocol::IpSettingRecord table = PanelTable();
  table.SwInput(4) = 11;
  Load(table);
  PickType(10, "NoAsign");
  EXPECT_EQ(page.Table().SwInput(4), 11);
  EXPECT_EQ(Text(sc::kSwInput[10]), "INPUT5");
}

TEST_F(RowEditing, ExchangingTwoCamerasMovesTheirDataAndRenumbersTheInput) {
  protocol::IpSettingRecord panelTable = PanelTable();
  panelTable.SwInput(0) = 2;   // C002 on INPUT1
  panelTable.SwInput(2) = 40;  // C040 on INPUT3
  panelTable.SetCamName(1, "TL-MC27");
  panelTable.SetCamAlarm(1, protocol::kAlarmFan);
  panelTable.CamKind(39) = protocol::kWireIpDirect;
  panelTable.CamFlags(1) = protocol::kHighlightFlag;
  Load(panelTable);
  const protocol::IpSettingRecord before = page.Table();
  const auto atReadBefore = page.CamAddrAtRead();

  PickCamera(1, "C040");

  const protocol::IpSettingRecord& after = page.Table();
  EXPECT_EQ(Inputs(after), (std::array<std::uint8_t, 5>{40, 0, 2, 0, 0}));
  for (const auto& [from, to] : {std::pair{1, 39}, std::pair{39, 1}}) {
    SCOPED_TRACE(to);
    EXPECT_TRUE(std::ranges::equal(after.CamMac(to), before.CamMac(from)));
    EXPECT_TRUE(std::ranges::equal(after.CamAddr(to), before.CamAddr(from)));
    EXPECT_TRUE(std::ranges::equal(after.CamNameField(to), before.CamNameField(from)));
    EXPECT_EQ(after.CamKind(to), before.CamKind(from));
    EXPECT_EQ(after.CamAlarm(to), before.CamAlarm(from));
    EXPECT_EQ(page.CamAddrAtRead()[to], atReadBefore[from]);
    EXPECT_EQ(after.CamFlags(to), before.CamFlags(to)) << "flags stay with the number";
  }
  // Nothing else moved.
  protocol::IpSettingRecord rest = after;
  protocol::IpSettingRecord restBefore = before;
  for (protocol::IpSettingRecord* record : {&rest, &restBefore}) {
    for (int c : {1, 39}) {
      std::ranges::fill(record->CamMac(c), 0);
      std::ranges::fill(record->CamAddr(c), 0);
      std::ranges::fill(record->CamNameField(c), 0);
      record->CamKind(c) = 0;
      record->SetCamAlarm(c, 0);
    }
    for (int k = 0; k < 5; ++k) record->SwInput(k) = 0;
  }
  EXPECT_EQ(rest, restBefore);

  // The row shows C002's new data and its list the blank entry again.
  EXPECT_EQ(Text(sc::kType[1]), "IP_Direct");
  EXPECT_EQ(Text(sc::kCameraName[1]), "CAM40");
  EXPECT_EQ(Text(sc::kSwInput[1]), "INPUT3");
  EXPECT_EQ(Screen().Selection(sc::kCameraSelect[1]), 0);
  EXPECT_EQ(Text(sc::kCameraSelect[1]), " ");
}

// Rows 6 to 15 offer their lists whatever their own camera's type: a
// Serial camera, or one of a code the page does not know, can be exchanged
// there with one that takes part in CAMERA Select. The lists then offer the
// camera that now takes part and no longer the one that does not.
TEST_F(RowEditing, ExchangingASerialOrUnknownTypeCameraRebuildsTheCameraSelectLists) {
  struct Case {
    std::uint8_t wireCode;
    std::uint8_t pageCode;
    int picked;  // the camera picked in C007's row
  };
  constexpr std::uint8_t kUnknownCode = 9;  // kept as it arrives
  for (const Case& one :
       {Case{protocol::kWireSerial, rules::kPageSerial, 19}, Case{kUnknownCode, kUnknownCode, 2}}) {
    const std::string& picked = rules::CameraLabel(one.picked);
    SCOPED_TRACE(picked);
    protocol::IpSettingRecord table = PanelTable();
    table.CamKind(6) = one.wireCode;  // C007, shown in row 7
    Load(table);
    ASSERT_TRUE(Screen().IsEnabled(sc::kCameraSelect[6]));

    PickCamera(6, picked);

    const int moved = one.picked;
    EXPECT_EQ(rules::CamPageKind(page.Table(), moved), one.pageCode);
    EXPECT_EQ(rules::CamPageKind(page.Table(), 6), rules::kPageNetwork);
    EXPECT_EQ(Text(sc::kType[6]), "Network");
    for (int r = 0; r < sc::kRowCount; ++r) {
      SCOPED_TRACE(r);
      const Texts& items = Screen().Items(sc::kCameraSelect[r]);
      EXPECT_EQ(std::count(items.begin(), items.end(), picked), 0) << "offered no more";
      // Every list offers C007 now, but its own and one that offers none.
      EXPECT_EQ(std::count(items.begin(), items.end(), "C007"), r == 6 || r == moved ? 0 : 1)
          << "offered now";
    }
    EXPECT_EQ(Screen().Selection(sc::kCameraSelect[6]), 0);
    EXPECT_EQ(Text(sc::kCameraSelect[6]), " ");
    if (moved < 5) {
      // Its own list in rows 1 to 5 offers nothing now.
      EXPECT_FALSE(Screen().IsEnabled(sc::kCameraSelect[moved]));
      EXPECT_EQ(Screen().Items(sc::kCameraSelect[moved]), Texts{" "});
    }
  }
}

TEST_F(RowEditing, TheBlankCameraSelectEntryDoesNothing) {
  Load(PanelTable());
  EnterAddress(page, sc::kIp[0], Ip(10, 9, 9, 1));
  const protocol::IpSettingRecord before = page.Table();
  Pick(page, sc::kCameraSelect[0], 0);
  EXPECT_EQ(page.Table(), before);
  EXPECT_EQ(AddressShown(0), Ip(10, 9, 9, 1));
}

// A Type or SW Input list that reports a change with no entry picked
// changes nothing in the table, and the addresses typed into the rows are
// taken first, as for any other pick, rather than lost to the redraw.
TEST_F(RowEditing, AListLeftWithoutAnEntryKeepsTheTypedAddresses) {
  Load(PanelTable());
  for (const int list : {sc::kType[2], sc::kSwInput[2]}) {
    EnterAddress(page, sc::kIp[0], Ip(10, 9, 9, 1));
    const std::uint8_t kindBefore = page.Table().CamKind(2);
    Pick(page, list, -1);
    EXPECT_EQ(AddressShown(0), Ip(10, 9, 9, 1));
    EXPECT_EQ(protocol::GetIp(page.Table().CamAddr(0)), Ip(10, 9, 9, 1));
    EXPECT_EQ(page.Table().CamKind(2), kindBefore);
  }
}

TEST_F(RowEditing, NothingIsEditedDuringAnAssignment) {
  protocol::IpSettingRecord table = PanelTable();
  table.SwInput(0) = 2;
  Load(table);
  // The panel proposes the same table; the page shows it read-only.
  network.Expect(testing_support::ScriptedPeer::Answering({AsText(Sealed(table))}));
  Press(IDC_SETTING_RENEW);
  ASSERT_EQ(page.CurrentAssignMode(), IPSetting::kRenewMode);
  const protocol::IpSettingRecord before = page.Table();
  host.boxes.clear();

  PickType(0, "IP_Direct");
  EXPECT_EQ(Text(sc::kType[0]), "Network");
  PickInput(3, 4);
  EXPECT_EQ(Text(sc::kSwInput[3]), "NoAsign");
  PickCamera(5, "C020");
  EXPECT_EQ(page.Table(), before);
  EXPECT_TRUE(host.boxes.empty());
}

TEST_F(PanelChoice, TheSelectorChoosesTheNextExchangesPanelButNotTheTable) {
  Load(PanelTable());
  const protocol::IpSettingRecord shown = page.Table();
  protocol::IpSettingRecord vk2Table = PanelTable();
  vk2Table.SetCamName(0, "VK2CAM");
  simulator.Panel(kVk2).SetCameraRecord(Sealed(vk2Table));

  Pick(page, IDC_PANEL_SELECTOR, 1);
  EXPECT_EQ(panels.Current(), kVk2);
  EXPECT_EQ(page.PanelIndex(), 1);
  EXPECT_EQ(page.Table(), shown);
  EXPECT_TRUE(simulator.Panel(kVk2).Received().empty());

  Press(IDC_SETTING_REFRESH);
  EXPECT_EQ(simulator.Panel(kVk2).Received().size(), 1u);
  EXPECT_EQ(Vk1().Received().size(), 1u) << "only the first read went to VK1";
  EXPECT_EQ(Text(sc::kCameraName[0]), "VK2CAM");
  EXPECT_EQ(Text(IDC_PANEL_SELECTOR), "VK2(192.168.0.7)");
}

}  // namespace
}  // namespace setting_test
