// REFRESH: reading the camera table from the chosen panel.
#include <functional>

#include "setting_page_fixture.h"

namespace setting_test {
namespace {

using testing_support::EnterAddress;
using testing_support::ScriptedPeer;

using ReadFromPanel = SettingPageWithPanel;
using ReadFailures = SettingPageScripted;

TEST_F(ReadFromPanel, RefreshReplacesTheTableAndShowsTheWireCodesAsTypeItems) {
  protocol::IpSettingRecord table = PanelTable();
  const std::uint8_t wire[5] = {protocol::kWireNoAsign, protocol::kWireSerial,
                                protocol::kWireNetwork, protocol::kWireCamDirect,
                                protocol::kWireIpDirect};
  for (int c = 0; c < 5; ++c) table.CamKind(c) = wire[c];
  table.CamKind(7) = 0xC8;  // no type: carried as it came
  Vk1().SetCameraRecord(Sealed(table));

  EXPECT_EQ(Press(IDC_SETTING_REFRESH), Texts{});
  ASSERT_EQ(Vk1().Received().size(), 1u);
  const Bytes command = Vk1().Received()[0];
  EXPECT_EQ(std::string(command.begin(), command.end()), "VK38 IP SETTING REQ\r\n");
  EXPECT_EQ(Column(sc::kType), (Texts{"NoAsign", "Serial", "Network", "CAM_Direct", "IP_Direct",
                                      "Network", "Network", "", "Network", "Network", "Network",
                                      "Network", "Network", "Network", "Network"}));

  const protocol::IpSettingRecord expected = Sealed(table);
  EXPECT_EQ(page.Table(), expected) << "every byte as the panel sent it";
  Press(IDC_SETTING_REFRESH);
  EXPECT_EQ(page.Table(), expected) << "the same record read twice gives the same table";
}

TEST_F(ReadFromPanel, AReadKeepsTheGroupAtTheTopAndShowsItsNewData) {
  Load(PanelTable());
  ScrollTo(6);
  protocol::IpSettingRecord changed = PanelTable();
  changed.SetCamName(30, "NEW31");
  protocol::SetIp(changed.CamAddr(44), Ip(10, 7, 7, 45));
  Vk1().SetCameraRecord(Sealed(changed));

  Press(IDC_SETTING_REFRESH);
  EXPECT_EQ(page.TopGroup(), 6);
  EXPECT_EQ(Screen().ScrollPos(IDC_SETTING_SCROLL), 6);
  EXPECT_EQ(Text(IDC_GROUP_1), "7");
  EXPECT_EQ(Text(sc::kCameraNo[0]), "C031");
  EXPECT_EQ(Text(sc::kCameraName[0]), "NEW31");
  EXPECT_EQ(AddressShown(14), Ip(10, 7, 7, 45));
}

TEST_F(ReadFromPanel, ADamagedRecordFromThePanelIsDroppedSilently) {
  Load(PanelTable());
  const protocol::IpSettingRecord before = page.Table();
  protocol::IpSettingRecord other = PanelTable();
  other.CamKind(0) = protocol::kWireSerial;
  Vk1().SetCameraRecord(Sealed(other));
  Vk1().SetFault("VK38 IP SETTING REQ", sim::Fault{.badChecksum = true});
  EXPECT_EQ(Press(IDC_SETTING_REFRESH), Texts{});
  EXPECT_EQ(page.Table(), before);
  EXPECT_EQ(Text(sc::kType[0]), "Network");
}

// Each failure leaves the table alone; the rows are refreshed from it or
// stay as they were, as the failure's row of the table says.
TEST_F(ReadFailures, EveryFailureLeavesTheTableAndShowsWhatItsCaseSays) {
  protocol::IpSettingRecord other = PanelTable();
  other.CamKind(2) = protocol::kWireSerial;
  other.SetCamName(2, "OTHER");
  const std::string otherRecord = AsText(Sealed(other));
  std::string badSum = otherRecord;
  badSum[1000] ^= 0x01;
  // Whole records only: a block with a zero sum but a length of its own
  // is dropped like one with a bad sum.
  protocol::IpSettingRecord endsInZero = other;
  endsInZero.bytes[3341] = 0;
  const std::string shorter =
      AsText(Sealed(endsInZero)).substr(0, protocol::IpSettingRecord::kSize - 1);
  const std::string longer = otherRecord + std::string(2, '\0');

  struct Case {
    const char* situation;
    std::function<void()> script;
    Texts messages;
    bool viewRefreshed;
  };
  const Case cases[] = {
      {"socket not created", [&] { network.socketCreationFails = true; }, {}, true},
      {"connection fails",
       [&] { network.Expect(ScriptedPeer::Refusing()); },
       {"No Connect!!"},
       false},
      {"command send fails",
       [&] { network.Expect(ScriptedPeer::Answering({}).TakingOnly(0)); },
       {"Socket Error!!"},
       false},
      {"receive fails",
       [&] { network.Expect(ScriptedPeer::Answering({otherRecord.substr(0, 900)}).ThenFailing()); },
       {},
       true},
      {"closed without data", [&] { network.Expect(ScriptedPeer::Answering({})); }, {}, true},
      {"sum not 0", [&] { network.Expect(ScriptedPeer::Answering({badSum})); }, {}, true},
      {"short block", [&] { network.Expect(ScriptedPeer::Answering({shorter})); }, {}, true},
      {"long block", [&] { network.Expect(ScriptedPeer::Answering({longer})); }, {}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.situation);
    network.socketCreationFails = false;
    Load(PanelTable());
    const protocol::IpSettingRecord before = page.Table();
    EnterAddress(page, sc::kIp[3], Ip(10, 9, 9, 4));  // typed, not yet in the table

    c.script();
    EXPECT_EQ(Press(IDC_SETTING_REFRESH), c.messages);
    for (const auto& box : host.boxes) {
      EXPECT_EQ(box.style, ui::kMbOk | ui::kMbIconError);
      EXPECT_EQ(box.caption, testing_support::kApplicationName);
      EXPECT_EQ(box.owner, &page);
    }
    EXPECT_EQ(page.Table(), before);
    EXPECT_EQ(Text(sc::kType[2]), "Network");
    EXPECT_EQ(AddressShown(3), c.viewRefreshed ? Ip(10, 0, 0, 4) : Ip(10, 9, 9, 4));
  }
  const std::string command = "VK38 IP SETTING REQ\r\n";
  for (const auto& peer : network.Connections()) {
    if (!peer->received.empty()) {
      EXPECT_EQ(peer->received, command);
    }
  }
}

}  // namespace
}  // namespace setting_test
