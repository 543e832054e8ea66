// The table view: what the rows show, the lists they offer, scrolling and
// colours.
#include "rules/camera_table_texts.h"
#include "setting_page_fixture.h"

namespace setting_test {
namespace {

using testing_support::EnterAddress;

using SettingView = SettingPageScripted;

Texts Labels(int first, int count) {
  Texts labels;
  for (int c = first; c < first + count; ++c) labels.push_back(rules::CameraLabel(c));
  return labels;
}

// A CAMERA Select list: the blank entry, then the cameras given, in order.
Texts Offering(std::initializer_list<int> excluded, int count = protocol::kCameraCount) {
  Texts items{" "};
  for (int c = 0; c < count; ++c) {
    if (std::find(excluded.begin(), excluded.end(), c) == excluded.end()) {
      items.push_back(rules::CameraLabel(c));
    }
  }
  return items;
}

TEST_F(SettingView, StartsOnGroupsOneToThreeWithTheZeroTable) {
  EXPECT_EQ(Text(IDC_GROUP_1), "1");
  EXPECT_EQ(Text(IDC_GROUP_2), "2");
  EXPECT_EQ(Text(IDC_GROUP_3), "3");
  EXPECT_EQ(Column(sc::kCameraNo), Labels(0, 15));
  EXPECT_EQ(Column(sc::kMac), Texts(15, "00:00:00:00:00:00"));
  EXPECT_EQ(Text(IDC_SW_MAC), "00:00:00:00:00:00");
  EXPECT_EQ(Column(sc::kHttpPort), Texts(15, "0"));
  EXPECT_EQ(Column(sc::kAlarm), Texts(15, kTenBlanks));
  EXPECT_EQ(Column(sc::kCameraName), Texts(15, ""));
  EXPECT_EQ(Column(sc::kType), Texts(15, "NoAsign"));
  EXPECT_EQ(Text(IDC_SW_TYPE), "NoAsign");
  EXPECT_EQ(Column(sc::kSwInput), Texts(15, "NoAsign"));
  for (int r = 0; r < sc::kRowCount; ++r) EXPECT_EQ(AddressShown(r), 0u);

  const ui::ControlState& bar = Screen().State(IDC_SETTING_SCROLL);
  EXPECT_EQ(bar.scrollMin, 0);
  EXPECT_EQ(bar.scrollMax, 17);
  EXPECT_EQ(bar.scrollPos, 0);
  EXPECT_FALSE(Screen().IsEnabled(IDC_SETTING_CANCEL));
  for (int id : {IDC_SETTING_RENEW, IDC_SETTING_KEEP, IDC_SETTING_REFRESH, IDC_SETTING_ALL_CLEAR,
                 IDC_SETTING_SET}) {
    EXPECT_TRUE(Screen().IsEnabled(id)) << id;
  }
  EXPECT_EQ(Text(IDC_PANEL_SELECTOR), "VK1(192.168.0.9)");
}

TEST_F(SettingView, ListsHoldTheirItemsFromTheStart) {
  const Texts five = {"NoAsign", "Network", "IP_Direct", "Serial", "CAM_Direct"};
  const Texts three = {"NoAsign", "Network", "IP_Direct"};
  for (int r = 0; r < sc::kRowCount; ++r) {
    EXPECT_EQ(Screen().Items(sc::kType[r]), r < 5 ? five : three) << r;
    EXPECT_EQ(Screen().Items(sc::kSwInput[r]),
              (Texts{"NoAsign", "INPUT1", "INPUT2", "INPUT3", "INPUT4", "INPUT5"}));
    // Every camera is NoAsign: each list offers all the others.
    EXPECT_EQ(Screen().Items(sc::kCameraSelect[r]), Offering({r})) << r;
    EXPECT_TRUE(Screen().IsEnabled(sc::kCameraSelect[r])) << r;
  }
  EXPECT_EQ(Screen().Items(IDC_SW_TYPE), (Texts{"NoAsign", "Network"}));
}

TEST_F(SettingView, RowsShowEveryFieldOfTheirCameras) {
  protocol::IpSettingRecord table = PanelTable();
  table.SetCamName(0, "TL-MC27");
  table.SetCamAlarm(0, protocol::kAlarmPanSensor);
  table.SetCamAlarm(1, protocol::kAlarmPanDriver);
  table.SetCamName(3, "TL-MC27");
  table.SetCamAlarm(3, protocol::kAlarmPanDriver);
  // A name that fills its field without a NUL shows its 9 bytes only.
  const protocol::NameField full = table.CamNameField(2);
  std::fill(full.begin(), full.end(), std::uint8_t{'N'});
  table.SetCamAlarm(4, 0x0003);  // low byte first on the wire: not "Motor Driver"
  table.CamKind(5) = protocol::kWireIpDirect;
  Load(table);

  EXPECT_EQ(Text(sc::kCameraName[0]), "TL-MC27");
  EXPECT_EQ(Text(sc::kAlarm[0]), "Pan Sensor");
  EXPECT_EQ(Text(sc::kAlarm[1]), "Pan Driver");
  EXPECT_EQ(Text(sc::kCameraName[2]), "NNNNNNNNN");
  EXPECT_EQ(Text(sc::kAlarm[3]), kTenBlanks);
  EXPECT_EQ(Text(sc::kAlarm[4]), kTenBlanks);
  EXPECT_EQ(Text(sc::kCameraName[1]), "CAM2");
  EXPECT_EQ(Text(sc::kMac[14]), "02:38:00:A0:00:0E");
  EXPECT_EQ(Text(sc::kHttpPort[14]), "8014");
  EXPECT_EQ(AddressShown(14), Ip(10, 0, 0, 15));
  EXPECT_EQ(Text(sc::kType[0]), "Network");
  EXPECT_EQ(Text(sc::kType[5]), "IP_Direct");
  EXPECT_EQ(Text(IDC_SW_MAC), "02:38:00:B0:00:01");
  EXPECT_EQ(Text(IDC_SW_TYPE), "Network");
  EXPECT_EQ(Screen().Address(IDC_SW_IP), Ip(10, 0, 1, 1));
}

TEST_F(SettingView, ATypeCodeWithoutItemLeavesItsListWithoutSelection) {
  protocol::IpSettingRecord table = PanelTable();
  table.CamKind(5) = protocol::kWireSerial;  // C006 cannot be Serial: its row has three items
  table.CamKind(6) = 9;                      // not a type at all; kept as it came
  Load(table);
  EXPECT_EQ(Screen().Selection(sc::kType[5]), -1);
  EXPECT_EQ(Screen().Selection(sc::kType[6]), -1);
  EXPECT_EQ(page.Table().CamKind(6), 9);
}

TEST_F(SettingView, ASwitcherInputShowsOnItsCamerasRowWhereverItIsVisible) {
  protocol::IpSettingRecord table = PanelTable();
  table.SwInput(1) = 12;  // C012 on INPUT2
  table.SwInput(0) = 3;   // C003 on INPUT1 and INPUT4: the highest shows
  table.SwInput(3) = 3;
  table.SwInput(4) = 101;  // no such camera
  Load(table);
  Texts expected(15, "NoAsign");
  expected[11] = "INPUT2";
  expected[2] = "INPUT4";
  EXPECT_EQ(Column(sc::kSwInput), expected);

  ScrollTo(1);  // C006 to C020
  expected.assign(15, "NoAsign");
  expected[6] = "INPUT2";
  EXPECT_EQ(Column(sc::kSwInput), expected);
  ScrollTo(3);  // C016 to C030
  EXPECT_EQ(Column(sc::kSwInput), Texts(15, "NoAsign"));
}

TEST_F(SettingView, ScrollingMovesOneGroupAtATimeWithinTheEighteenPositions) {
  struct Step {
    int request;
    int position;
    int top;
  };
  const Step steps[] = {
      {ui::kSbLineUp, 0, 0},          {ui::kSbPageUp, 0, 0},        {ui::kSbLineDown, 0, 1},
      {ui::kSbPageDown, 0, 2},        {ui::kSbPageUp, 0, 1},        {ui::kSbThumbTrack, 9, 1},
      {ui::kSbEndScroll, 0, 1},       {ui::kSbThumbPosition, 9, 9}, {ui::kSbBottom, 0, 17},
      {ui::kSbLineDown, 0, 17},       {ui::kSbPageDown, 0, 17},     {ui::kSbTop, 0, 0},
      {ui::kSbThumbPosition, 19, 17},  // beyond the range: the last view, never past C100
  };
  for (const Step& step : steps) {
    Scroll(step.request, step.position);
    SCOPED_TRACE(testing::Message() << "request " << step.request);
    EXPECT_EQ(page.TopGroup(), step.top);
    EXPECT_EQ(Screen().ScrollPos(IDC_SETTING_SCROLL), step.top);
    EXPECT_EQ(Column(sc::kCameraNo), Labels(5 * step.top, 15));
    EXPECT_EQ(Text(IDC_GROUP_1), std::to_string(step.top + 1));
    EXPECT_EQ(Text(IDC_GROUP_3), std::to_string(step.top + 3));
  }
}

TEST_F(SettingView, OnlyTheTopViewOffersSerialAndCamDirect) {
  protocol::IpSettingRecord table = PanelTable();
  table.CamKind(2) = protocol::kWireSerial;
  Load(table);
  const Texts five = {"NoAsign", "Network", "IP_Direct", "Serial", "CAM_Direct"};
  const Texts three = {"NoAsign", "Network", "IP_Direct"};
  ScrollTo(1);
  for (int r = 0; r < sc::kRowCount; ++r) EXPECT_EQ(Screen().Items(sc::kType[r]), three) << r;
  EXPECT_EQ(Text(sc::kType[0]), "Network");  // C006
  ScrollTo(0);
  for (int r = 0; r < 5; ++r) EXPECT_EQ(Screen().Items(sc::kType[r]), five) << r;
  EXPECT_EQ(Text(sc::kType[2]), "Serial");
  EXPECT_EQ(Screen().Items(sc::kType[5]), three);
}

TEST_F(SettingView, AnAddressTypedAndScrolledAwayIsKept) {
  Load(PanelTable());
  EnterAddress(page, sc::kIp[2], Ip(10, 9, 9, 3));  // C003
  EnterAddress(page, IDC_SW_IP, Ip(10, 9, 9, 200));
  ScrollTo(2);
  EXPECT_EQ(protocol::GetIp(page.Table().CamAddr(2)), Ip(10, 9, 9, 3));
  EXPECT_EQ(protocol::HttpPort(page.Table().CamAddr(2)), 8002) << "the port stays";
  EXPECT_EQ(AddressShown(2), Ip(10, 0, 0, 13));  // C013 now
  EXPECT_EQ(Screen().Address(IDC_SW_IP), Ip(10, 9, 9, 200));
  Scroll(ui::kSbTop);
  EXPECT_EQ(AddressShown(2), Ip(10, 9, 9, 3));
}

TEST_F(SettingView, CameraSelectOffersTheNetworkCapableCamerasButTheRowsOwn) {
  protocol::IpSettingRecord table = PanelTable();
  table.CamKind(1) = protocol::kWireSerial;
  table.CamKind(4) = protocol::kWireCamDirect;
  table.CamKind(9) = protocol::kWireNoAsign;
  table.CamKind(50) = protocol::kWireIpDirect;
  Load(table);
  for (int r = 0; r < sc::kRowCount; ++r) {
    SCOPED_TRACE(r);
    const bool selfExcluded = r != 1 && r != 4;
    if (selfExcluded) {
      EXPECT_EQ(Screen().Items(sc::kCameraSelect[r]), Offering({1, 4, r}));
      EXPECT_TRUE(Screen().IsEnabled(sc::kCameraSelect[r]));
    } else {
      EXPECT_EQ(Screen().Items(sc::kCameraSelect[r]), Texts{" "});
      EXPECT_FALSE(Screen().IsEnabled(sc::kCameraSelect[r]));
    }
  }
  // Further down the rows of the first five show other cameras.
  ScrollTo(10);
  EXPECT_EQ(Screen().Items(sc::kCameraSelect[0]), Offering({1, 4, 50}));
  EXPECT_TRUE(Screen().IsEnabled(sc::kCameraSelect[0]));
}

// Lists rebuilt from the same table hold the same items and are set again
// all the same: marked as changed, with no entry selected, as after any
// rebuild.
TEST_F(SettingView, CameraSelectListsRebuiltFromTheSameTableAreSetAgain) {
  protocol::IpSettingRecord table = PanelTable();
  table.CamKind(1) = protocol::kWireSerial;
  Load(table);
  testing_support::Pick(page, sc::kCameraSelect[7], 2);  // C008 and C003 exchange
  ASSERT_EQ(Screen().Selection(sc::kCameraSelect[7]), 0);
  std::array<std::uint64_t, sc::kRowCount> revisions{};
  std::array<Texts, sc::kRowCount> items;
  for (int r = 0; r < sc::kRowCount; ++r) {
    revisions[r] = Screen().State(sc::kCameraSelect[r]).itemsRevision;
    items[r] = Screen().Items(sc::kCameraSelect[r]);
  }

  Load(table);
  for (int r = 0; r < sc::kRowCount; ++r) {
    SCOPED_TRACE(r);
    EXPECT_EQ(Screen().Items(sc::kCameraSelect[r]), items[r]);
    EXPECT_GT(Screen().State(sc::kCameraSelect[r]).itemsRevision, revisions[r]);
    EXPECT_EQ(Screen().Selection(sc::kCameraSelect[r]), -1);
  }
  EXPECT_EQ(Screen().Items(sc::kCameraSelect[1]), Texts{" "});
  EXPECT_FALSE(Screen().IsEnabled(sc::kCameraSelect[1]));
}

TEST_F(SettingView, HeadersAreWhiteOnBlueAndNoLabelIsYellowOutsideAnAssignment) {
  const ui::ControlColors header{ui::Rgb{255, 255, 255}, ui::Rgb{0, 0, 255}};
  for (int id : sc::kHeaders) EXPECT_EQ(page.OnCtlColor(id), header) << id;
  protocol::IpSettingRecord table = PanelTable();
  for (int c = 0; c < protocol::kCameraCount; ++c)
    table.CamFlags(c) = protocol::kHighlightFlag | protocol::kDuplicateFlag;
  table.SwFlags() = protocol::kHighlightFlag;
  Load(table);
  for (int id : sc::kCameraNo) EXPECT_EQ(page.OnCtlColor(id), std::nullopt) << id;
  for (int id : {IDC_SW_CAMERA_NO, IDC_GROUP_1, sc::kCameraName[0], sc::kMac[3]}) {
    EXPECT_EQ(page.OnCtlColor(id), std::nullopt) << id;
  }
}

}  // namespace
}  // namespace setting_test
