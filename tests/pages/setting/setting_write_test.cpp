// SET: the address tests, the record that reaches the panel, the firmware
// questions and every ending of the exchange.
#include <functional>

#include "rules/camera_table_words.h"
#include "setting_page_fixture.h"

namespace setting_test {
namespace {

using testing_support::EnterAddress;
using testing_support::ScriptedPeer;

using WriteToPanel = SettingPageWithPanel;
using WriteFailures = SettingPageScripted;

const std::string kWriteCommand = "VK38 IP SETTING CHANGE\r\n";

std::string Duplication(const std::string& address) { return "IP(" + address + ") Duplication"; }

std::string Prompt(const std::string& version) {
  return "Please make sure that firmware version of TL-VK38\r\n(Remote Operation Panel) should "
         "be later than " +
         version +
         "\r\nDo you execute connection?\r\nIf you are not sure, please select "
         "\"Cancel\".";
}

struct WriteToPanelTest : WriteToPanel {
  // The record of the last write that reached VK1, or nothing.
  std::optional<protocol::IpSettingRecord> Written() {
    const std::vector<Bytes> received = Vk1().Received();
    if (received.empty()) return std::nullopt;
    const Bytes& last = received.back();
    if (std::string(last.begin(), last.begin() + std::min(last.size(), kWriteCommand.size())) !=
            kWriteCommand ||
        last.size() != kWriteCommand.size() + protocol::IpSettingRecord::kSize) {
      return std::nullopt;
    }
    protocol::IpSettingRecord record;
    std::copy(last.begin() + static_cast<std::ptrdiff_t>(kWriteCommand.size()), last.end(),
              record.bytes.begin());
    return record;
  }
};

TEST_F(WriteToPanelTest, CamerasSharingAnAddressAreEachReportedAndTheWriteGoesOn) {
  Load(PanelTable());
  EnterAddress(page, sc::kIp[2], Ip(10, 0, 5, 5));   // C003
  EnterAddress(page, sc::kIp[11], Ip(10, 0, 5, 5));  // C012
  EXPECT_EQ(Press(IDC_SETTING_SET),
            (Texts{Duplication("10.0.5.5"), Duplication("10.0.5.5"), "Write OK"}));
  EXPECT_EQ(host.boxes[0].style, ui::kMbOk | ui::kMbIconError);
  EXPECT_EQ(host.boxes[0].caption, testing_support::kApplicationName);
  EXPECT_EQ(host.boxes[2].caption, "Status");
  EXPECT_EQ(host.boxes[2].style, ui::kMbOk);
  const auto written = Written();
  ASSERT_TRUE(written);
  EXPECT_EQ(protocol::GetIp(written->CamAddr(11)), Ip(10, 0, 5, 5));
}

TEST_F(WriteToPanelTest, ThePanelsOwnAddressStopsTheWriteAtThatCamera) {
  Load(PanelTable());
  EnterAddress(page, sc::kIp[1], Ip(10, 0, 5, 5));  // C002 and C003 share one
  EnterAddress(page, sc::kIp[2], Ip(10, 0, 5, 5));
  EnterAddress(page, sc::kIp[4], kVk1);             // C005 at the panel's own
  EnterAddress(page, sc::kIp[7], Ip(10, 0, 6, 6));  // C008 and C009: never tested
  EnterAddress(page, sc::kIp[8], Ip(10, 0, 6, 6));
  EXPECT_EQ(Press(IDC_SETTING_SET),
            (Texts{Duplication("10.0.5.5"), Duplication("10.0.5.5"), Duplication("192.168.0.9")}));
  EXPECT_EQ(Vk1().Received().size(), 1u) << "only the read reached the panel";
  EXPECT_EQ(protocol::GetIp(page.Table().CamAddr(4)), kVk1)
      << "the table keeps the addresses taken";
}

TEST_F(WriteToPanelTest, UnusableAddressesAreListedFiveToALine) {
  Load(PanelTable());
  EnterAddress(page, sc::kIp[2], 0);  // C003 and C007 at 0.0.0.0
  EnterAddress(page, sc::kIp[6], 0);
  EXPECT_EQ(Press(IDC_SETTING_SET), (Texts{Duplication("0.0.0.0"), Duplication("0.0.0.0"),
                                           "Unavailable network setting!\r\n C003/ C007"}));
  EXPECT_EQ(host.boxes[2].style, ui::kMbOk | ui::kMbIconExclamation);

  // Five cameras and the switcher, each unusable in its own way.
  const protocol::PanelAddress unusable[] = {Ip(10, 1, 0, 0), Ip(10, 2, 0, 255), Ip(224, 0, 0, 1),
                                             Ip(127, 0, 0, 1), Ip(0, 1, 2, 3)};
  const int rows[] = {0, 1, 10, 11, 12};
  Load(PanelTable());
  for (int i = 0; i < 5; ++i) EnterAddress(page, sc::kIp[rows[i]], unusable[i]);
  EnterAddress(page, IDC_SW_IP, Ip(10, 0, 1, 0));
  EXPECT_EQ(Press(IDC_SETTING_SET),
            Texts{"Unavailable network setting!\r\n C001/ C002/ C011/ C012/ C013\r\n SW"});
  EXPECT_EQ(Vk1().Received().size(), 2u) << "the two reads only";
}

TEST_F(WriteToPanelTest, TheSwitcherIsTestedAgainstThePanelAndEveryCamera) {
  Load(PanelTable());
  EnterAddress(page, IDC_SW_IP, Ip(10, 0, 0, 1));  // C001's
  EXPECT_EQ(Press(IDC_SETTING_SET),
            (Texts{Duplication("10.0.0.1"), Duplication("10.0.0.1"), "Write OK"}));
  EnterAddress(page, IDC_SW_IP, kVk1);
  EXPECT_EQ(Press(IDC_SETTING_SET), Texts{Duplication("192.168.0.9")});
  EXPECT_EQ(Vk1().Received().size(), 2u);
}

TEST_F(WriteToPanelTest, TheRecordCarriesWireCodesAZeroSumAndOnlyTheMacsThatStillHold) {
  protocol::IpSettingRecord table = PanelTable();
  table.CamKind(0) = protocol::kWireNoAsign;
  table.CamKind(3) = protocol::kWireIpDirect;
  table.CamKind(4) = protocol::kWireSerial;
  Load(table);
  EnterAddress(page, sc::kIp[1], Ip(10, 0, 7, 2));  // C002 moved
  PickType(sc::kSwitcherRow, "NoAsign");

  EXPECT_EQ(Press(IDC_SETTING_SET), (Texts{Prompt("Ver3.30.00"), "Write OK"}));
  const auto written = Written();
  ASSERT_TRUE(written);
  EXPECT_TRUE(protocol::IsZeroSum(written->bytes));
  const protocol::IpSettingRecord sent = Sealed(table);
  for (int c = 0; c < protocol::kCameraCount; ++c) {
    SCOPED_TRACE(c);
    EXPECT_EQ(written->CamKind(c), table.CamKind(c)) << "wire codes";
    const bool cleared = c == 0 || c == 1 || c == 4;
    EXPECT_TRUE(std::ranges::equal(
        written->CamMac(c),
        cleared ? std::vector<std::uint8_t>(6, 0)
                : std::vector<std::uint8_t>(sent.CamMac(c).begin(), sent.CamMac(c).end())));
  }
  EXPECT_TRUE(std::ranges::equal(written->SwMac(), std::vector<std::uint8_t>(6, 0)));
  for (std::size_t at : {std::size_t{3}, std::size_t{1500}, std::size_t{3341}}) {
    EXPECT_EQ(written->bytes[at], sent.bytes[at]) << "reserved byte " << at;
  }

  // The page shows the table it sent, with the cleared MAC addresses.
  EXPECT_EQ(rules::CamPageKind(page.Table(), 3), rules::kPageIpDirect);
  EXPECT_EQ(Text(sc::kType[3]), "IP_Direct");
  EXPECT_EQ(Text(sc::kMac[1]), "00:00:00:00:00:00");
  EXPECT_EQ(Text(sc::kMac[2]), "02:38:00:A0:00:02");
  EXPECT_EQ(Text(IDC_SW_MAC), "00:00:00:00:00:00");
}

TEST_F(WriteToPanelTest, AWriteComparesWithTheAddressesOfTheLastRead) {
  Load(PanelTable());
  EnterAddress(page, sc::kIp[1], Ip(10, 0, 7, 2));  // C002 moved
  EnterAddress(page, sc::kIp[9], 0);                // stops the first SET
  ASSERT_EQ(Press(IDC_SETTING_SET).size(), 1u);
  EXPECT_EQ(Text(sc::kMac[1]), "02:38:00:A0:00:01") << "nothing prepared yet";

  EnterAddress(page, sc::kIp[9], Ip(10, 0, 0, 10));
  ASSERT_EQ(Press(IDC_SETTING_SET), Texts{"Write OK"});
  EXPECT_EQ(Text(sc::kMac[1]), "00:00:00:00:00:00") << "still compared with the read";
  // Neither write took new read-time copies: only a read does.
  EXPECT_EQ(protocol::AddressFromBytes(page.CamAddrAtRead()[1].data()), Ip(10, 0, 0, 2));
  EXPECT_EQ(protocol::AddressFromBytes(page.CamAddrAtRead()[9].data()), Ip(10, 0, 0, 10));
}

TEST_F(WriteToPanelTest, FirmwareQuestionsComeInOrderAndCancelSendsNothing) {
  protocol::IpSettingRecord table = PanelTable();
  table.CamKind(10) = protocol::kWireIpDirect;  // group 3 only
  Load(table);
  EXPECT_EQ(Press(IDC_SETTING_SET), (Texts{Prompt("Ver3.30.00"), "Write OK"}));
  EXPECT_EQ(host.boxes[0].style, ui::kMbOkCancel | ui::kMbIconExclamation);
  EXPECT_EQ(host.boxes[0].caption, testing_support::kApplicationName);

  table.CamKind(3) = protocol::kWireCamDirect;  // C004
  table.CamKind(10) = protocol::kWireNetwork;
  table.CamKind(49) = protocol::kWireIpDirect;  // C050
  Load(table);
  EXPECT_EQ(Press(IDC_SETTING_SET),
            (Texts{Prompt("Ver2.20.00"), Prompt("Ver3.30.00"), "Write OK"}));

  const std::size_t connections = Vk1().Received().size();
  const Texts typesBefore = Column(sc::kType);
  for (int cancelAt = 0; cancelAt < 2; ++cancelAt) {
    for (int i = 0; i < cancelAt; ++i) host.AnswerNextBox(ui::kIdOk);
    host.AnswerNextBox(ui::kIdCancel);
    EXPECT_EQ(Press(IDC_SETTING_SET).size(), static_cast<std::size_t>(cancelAt + 1));
    EXPECT_EQ(Column(sc::kType), typesBefore);
    EXPECT_EQ(rules::CamPageKind(page.Table(), 3), rules::kPageCamDirect);
  }
  EXPECT_EQ(Vk1().Received().size(), connections) << "nothing sent after a Cancel";
}

// Each ending of the exchange: its message, what the panel got, and page
// codes in the table afterwards.
TEST_F(WriteFailures, EveryEndingOfTheExchangeShowsItsMessage) {
  const std::string ok = Line("SETTING CHANGE OK");
  const std::size_t recordTaken = kWriteCommand.size() + 1000;
  struct Case {
    const char* situation;
    std::function<void()> script;
    Texts messages;
    std::size_t sent;  // bytes the panel received
  };
  const Case cases[] = {
      {"socket not created", [&] { network.socketCreationFails = true; }, {}, 0},
      {"connection fails", [&] { network.Expect(ScriptedPeer::Refusing()); }, {"No Connect!!"}, 0},
      {"command send fails",
       [&] { network.Expect(ScriptedPeer::Answering({}).TakingOnly(0)); },
       {"Socket Error!!"},
       0},
      {"first reply fails",
       [&] { network.Expect(ScriptedPeer::Answering({})); },
       {"Socket Error!!"},
       kWriteCommand.size()},
      {"first reply wrong",
       [&] { network.Expect(ScriptedPeer::Answering({Line("SETTING CHANGE NG")})); },
       {"Command Error!!"},
       kWriteCommand.size()},
      {"record send fails",
       [&] { network.Expect(ScriptedPeer::Answering({ok}).TakingOnly(recordTaken)); },
       {},
       recordTaken},
      {"second reply fails",
       [&] { network.Expect(ScriptedPeer::Answering({ok})); },
       {},
       kWriteCommand.size() + protocol::IpSettingRecord::kSize},
      {"second reply wrong",
       [&] {
         network.Expect(ScriptedPeer::Answering({ok, Line("WRITE NG")}));
       },
       {"Write Error!!"},
       kWriteCommand.size() + protocol::IpSettingRecord::kSize},
      {"write confirmed",
       [&] {
         network.Expect(ScriptedPeer::Answering({ok, Line("WRITE OK")}));
       },
       {"Write OK"},
       kWriteCommand.size() + protocol::IpSettingRecord::kSize},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.situation);
    network.socketCreationFails = false;
    Load(PanelTable());
    const std::size_t connections = network.Connections().size();
    c.script();
    EXPECT_EQ(Press(IDC_SETTING_SET), c.messages);
    for (const auto& box : host.boxes) {
      const bool success = box.text == "Write OK";
      EXPECT_EQ(box.style, success ? ui::kMbOk : ui::kMbOk | ui::kMbIconError);
      EXPECT_EQ(box.caption, success ? "Status" : testing_support::kApplicationName);
    }
    const std::string received = network.Connections().size() > connections
                                     ? network.Connections().back()->received
                                     : std::string();
    EXPECT_EQ(received.size(), c.sent);
    EXPECT_EQ(received.substr(0, std::min(received.size(), kWriteCommand.size())),
              kWriteCommand.substr(0, std::min(received.size(), kWriteCommand.size())));
    EXPECT_EQ(rules::CamPageKind(page.Table(), 0), rules::kPageNetwork) << "shown as it was";
    EXPECT_EQ(Text(sc::kType[0]), "Network");
  }
}

}  // namespace
}  // namespace setting_test
