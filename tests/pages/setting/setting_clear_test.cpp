// ALL CLEAR: the numbering plan from the panel's own address, written at once.
#include <algorithm>

#include "setting_page_fixture.h"

namespace setting_test {
namespace {

using testing_support::EnterAddress;
using testing_support::ScriptedPeer;

struct AllClear : SettingPageScripted {
  // ALL CLEAR with the panel at 192.168.0.`panelOctet`, the write confirmed;
  // returns the record the panel received.
  protocol::IpSettingRecord ClearWithPanelAt(int panelOctet) {
    panels.SetCurrent(Ip(192, 168, 0, panelOctet));
    ScriptedPeer& peer =
        network.Expect(ScriptedPeer::Answering({Line("SETTING CHANGE OK"), Line("WRITE OK")}));
    Press(IDC_SETTING_ALL_CLEAR);
    protocol::IpSettingRecord record;
    const std::string command = "VK38 IP SETTING CHANGE\r\n";
    EXPECT_EQ(peer.received.size(), command.size() + protocol::IpSettingRecord::kSize);
    if (peer.received.size() == command.size() + protocol::IpSettingRecord::kSize) {
      std::copy(peer.received.begin() + static_cast<std::ptrdiff_t>(command.size()),
                peer.received.end(), record.bytes.begin());
    }
    return record;
  }
  static int LastOctet(protocol::ConstAddrField entry) { return entry[3]; }
};

TEST_F(AllClear, NumbersTheCamerasUpFromThePanelAndPutsTheSwitcherBelowIt) {
  protocol::IpSettingRecord table = PanelTable();
  table.CamKind(0) = protocol::kWireSerial;
  table.CamKind(1) = protocol::kWireCamDirect;
  table.CamKind(2) = protocol::kWireIpDirect;
  table.SwInput(2) = 7;
  Load(table);
  EnterAddress(page, sc::kIp[5], Ip(10, 9, 9, 9));  // on screen only: the clear wins

  const protocol::IpSettingRecord written = ClearWithPanelAt(9);
  EXPECT_EQ(host.BoxTexts().back(), "Write OK");
  EXPECT_TRUE(protocol::IsZeroSum(written.bytes));
  for (int c = 0; c < protocol::kCameraCount; ++c) {
    SCOPED_TRACE(c);
    EXPECT_EQ(protocol::GetIp(written.CamAddr(c)), Ip(192, 168, 0, 10 + c));
    EXPECT_EQ(protocol::HttpPort(written.CamAddr(c)), 8000 + c) << "ports stay";
    EXPECT_TRUE(std::ranges::all_of(written.CamMac(c), [](std::uint8_t b) { return b == 0; }));
  }
  // Serial and CAM_Direct keep their type, networked cameras become NoAsign.
  EXPECT_EQ(written.CamKind(0), protocol::kWireSerial);
  EXPECT_EQ(written.CamKind(1), protocol::kWireCamDirect);
  EXPECT_EQ(written.CamKind(2), protocol::kWireNoAsign);
  EXPECT_EQ(written.CamKind(50), protocol::kWireNoAsign);
  EXPECT_EQ(written.SwKind(), protocol::kSwitcherNoAsign);
  EXPECT_EQ(protocol::GetIp(written.SwAddr()), Ip(192, 168, 0, 8));
  EXPECT_EQ(protocol::HttpPort(written.SwAddr()), 80);
  EXPECT_TRUE(std::ranges::all_of(written.SwMac(), [](std::uint8_t b) { return b == 0; }));
  EXPECT_EQ(written.SwInput(2), 7) << "the switcher input survives";

  // The rows show the new plan.
  EXPECT_EQ(AddressShown(5), Ip(192, 168, 0, 15));
  EXPECT_EQ(Text(sc::kType[2]), "NoAsign");
  EXPECT_EQ(Text(sc::kType[1]), "CAM_Direct");
  EXPECT_EQ(Text(sc::kSwInput[6]), "INPUT3");
  EXPECT_EQ(Screen().Address(IDC_SW_IP), Ip(192, 168, 0, 8));
  EXPECT_EQ(Text(sc::kMac[3]), "00:00:00:00:00:00");
}

TEST_F(AllClear, TheNumberingGoesFrom254To1AndNeverMeetsThePanel) {
  Load(PanelTable());
  protocol::IpSettingRecord written = ClearWithPanelAt(200);
  EXPECT_EQ(LastOctet(written.CamAddr(0)), 201);
  EXPECT_EQ(LastOctet(written.CamAddr(53)), 254);  // C054
  EXPECT_EQ(LastOctet(written.CamAddr(54)), 1);    // C055
  EXPECT_EQ(LastOctet(written.CamAddr(99)), 46);   // C100
  EXPECT_EQ(LastOctet(written.SwAddr()), 199);

  written = ClearWithPanelAt(1);
  EXPECT_EQ(LastOctet(written.CamAddr(0)), 2);
  EXPECT_EQ(LastOctet(written.SwAddr()), 254);

  written = ClearWithPanelAt(254);
  EXPECT_EQ(LastOctet(written.CamAddr(0)), 1);
  EXPECT_EQ(LastOctet(written.CamAddr(99)), 100);
  EXPECT_EQ(LastOctet(written.SwAddr()), 253);
}

TEST_F(AllClear, AClearStoppedByTheAddressTestsIsShownNotWritten) {
  Load(PanelTable());
  // From a panel at 127.0.0.200, C055 would be 127.0.0.1, which is refused.
  panels.SetCurrent(Ip(127, 0, 0, 200));
  EXPECT_EQ(Press(IDC_SETTING_ALL_CLEAR), Texts{"Unavailable network setting!\r\n C055"});
  EXPECT_EQ(network.Connections().size(), 1u) << "the read only";
  EXPECT_EQ(AddressShown(0), Ip(127, 0, 0, 201))
      << "the rows show the table, so that nothing typed back over it";
  ScrollTo(1);
  ScrollTo(0);
  EXPECT_EQ(protocol::GetIp(page.Table().CamAddr(0)), Ip(127, 0, 0, 201));
}

}  // namespace
}  // namespace setting_test
