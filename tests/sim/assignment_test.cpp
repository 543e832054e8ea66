// The simulated panels' factory tables and their renew and keep proposals.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "protocol/ip_setting_record.h"
#include "sim/address_assignment.h"
#include "sim/default_camera_table.h"

namespace {

constexpr protocol::PanelAddress kPanel = 0xC0A80009;  // 192.168.0.9
constexpr protocol::PanelAddress Host(unsigned octet) { return 0xC0A80000u | octet; }

bool IsNetworked(std::uint8_t wireKind) {
  return wireKind == protocol::kWireNetwork || wireKind == protocol::kWireIpDirect;
}

TEST(FactoryTable, HoldsARealisticTableThatTheToolCanWriteBack) {
  for (protocol::PanelAddress panel : {kPanel, Host(4), Host(200), Host(254)}) {
    SCOPED_TRACE(protocol::AddressText(panel));
    const protocol::IpSettingRecord table = sim::DefaultCameraTable(panel);
    EXPECT_TRUE(protocol::IsZeroSum(table.bytes));

    std::set<std::uint8_t> kinds;
    std::set<protocol::PanelAddress> addresses = {panel};
    int mc27 = 0, alarms = 0, highlighted = 0;
    for (int c = 0; c < protocol::kCameraCount; ++c) {
      SCOPED_TRACE("camera " + std::to_string(c + 1));
      const std::uint8_t kind = table.CamKind(c);
      kinds.insert(kind);
      if (c >= protocol::kCamerasPerGroup) {
        EXPECT_TRUE(kind == protocol::kWireNoAsign || IsNetworked(kind));
      }
      const protocol::PanelAddress address = protocol::GetIp(table.CamAddr(c));
      EXPECT_TRUE(protocol::IsValidPanelAddress(address));
      EXPECT_TRUE(addresses.insert(address).second) << "shares its address";
      const protocol::ConstMacField mac = table.CamMac(c);
      const bool hasMac =
          std::any_of(mac.begin(), mac.end(), [](std::uint8_t b) { return b != 0; });
      EXPECT_EQ(hasMac, IsNetworked(kind));
      mc27 += table.CamName(c) == "TL-MC27";
      alarms += table.CamAlarm(c) != 0;
      highlighted += (table.CamFlags(c) & protocol::kHighlightFlag) != 0;
    }
    EXPECT_EQ(kinds, (std::set<std::uint8_t>{0, 1, 2, 3, 4}));
    EXPECT_TRUE(protocol::IsValidPanelAddress(protocol::GetIp(table.SwAddr())));
    EXPECT_TRUE(addresses.insert(protocol::GetIp(table.SwAddr())).second);
    EXPECT_EQ(table.SwKind(), protocol::kSwitcherNetwork);
    EXPECT_GT(mc27, 0);
    EXPECT_GT(alarms, 0);
    EXPECT_GT(highlighted, 0);
  }
  EXPECT_NE(sim::DefaultCameraTable(kPanel), sim::DefaultCameraTable(Host(7)));
}

// A table with only the listed networked entries, all flags set to 0x04
// (a bit the assignment must leave alone).
protocol::IpSettingRecord TableOf(
    std::initializer_list<std::pair<std::uint8_t, protocol::PanelAddress>> cameras,
    protocol::PanelAddress switcher) {
  protocol::IpSettingRecord table;
  int c = 0;
  for (const auto& [kind, address] : cameras) {
    table.CamKind(c) = kind;
    protocol::SetIp(table.CamAddr(c), address);
    protocol::SetHttpPort(table.CamAddr(c), 80);
    ++c;
  }
  for (int i = 0; i < protocol::kCameraCount; ++i)
    table.CamFlags(i) = 0x04 | protocol::kDuplicateFlag;
  table.SwKind() = protocol::kSwitcherNetwork;
  protocol::SetIp(table.SwAddr(), switcher);
  table.SwFlags() = 0x04;
  return table;
}

TEST(Assignment, RenewCountsUpFromThePanelsAddress) {
  const protocol::IpSettingRecord table = TableOf({{protocol::kWireNetwork, Host(200)},
                                                   {protocol::kWireSerial, Host(50)},
                                                   {protocol::kWireIpDirect, Host(11)}},
                                                  0x0A000001);
  const protocol::IpSettingRecord proposal =
      sim::ProposeAssignment(table, kPanel, sim::AssignMode::kRenew);
  EXPECT_TRUE(protocol::IsZeroSum(proposal.bytes));
  EXPECT_EQ(protocol::GetIp(proposal.CamAddr(0)), Host(10));
  EXPECT_EQ(proposal.CamFlags(0), 0x04 | protocol::kHighlightFlag);
  EXPECT_EQ(protocol::GetIp(proposal.CamAddr(1)), Host(50)) << "a serial camera takes no address";
  EXPECT_EQ(proposal.CamFlags(1), 0x04);
  EXPECT_EQ(protocol::GetIp(proposal.CamAddr(2)), Host(11));
  EXPECT_EQ(proposal.CamFlags(2), 0x04) << "an unchanged address is not highlighted";
  EXPECT_EQ(protocol::GetIp(proposal.SwAddr()), Host(12));
  EXPECT_EQ(proposal.SwFlags(), 0x04 | protocol::kHighlightFlag);
  EXPECT_EQ(protocol::HttpPort(proposal.CamAddr(0)), 80);
}

TEST(Assignment, RenewWrapsFrom254To1) {
  const protocol::IpSettingRecord table = TableOf(
      {{protocol::kWireNetwork, 0}, {protocol::kWireNetwork, 0}, {protocol::kWireNetwork, 0}}, 0);
  const protocol::IpSettingRecord proposal =
      sim::ProposeAssignment(table, Host(253), sim::AssignMode::kRenew);
  EXPECT_EQ(protocol::GetIp(proposal.CamAddr(0)), Host(254));
  EXPECT_EQ(protocol::GetIp(proposal.CamAddr(1)), Host(1));
  EXPECT_EQ(protocol::GetIp(proposal.CamAddr(2)), Host(2));
  EXPECT_EQ(protocol::GetIp(proposal.SwAddr()), Host(3));
}

TEST(Assignment, KeepMovesOnlyWhatCannotStay) {
  const protocol::IpSettingRecord table =
      TableOf({{protocol::kWireNetwork, Host(50)},
               {protocol::kWireNetwork, Host(50)},    // collides with C001
               {protocol::kWireIpDirect, kPanel},     // the panel's own
               {protocol::kWireNetwork, 0xC0A8013C},  // another network
               {protocol::kWireNetwork, Host(255)},   // unusable
               {protocol::kWireNoAsign, Host(11)}},   // stays, and keeps .11
              Host(10));
  const protocol::IpSettingRecord proposal =
      sim::ProposeAssignment(table, kPanel, sim::AssignMode::kKeep);
  struct Expected {
    protocol::PanelAddress address;
    std::uint8_t flags;
  };
  const Expected expected[] = {
      {Host(50), 0x04},
      {Host(12), 0x04 | protocol::kHighlightFlag | protocol::kDuplicateFlag},
      {Host(13), 0x04 | protocol::kHighlightFlag | protocol::kDuplicateFlag},
      {Host(14), 0x04 | protocol::kHighlightFlag},
      {Host(15), 0x04 | protocol::kHighlightFlag},
      {Host(11), 0x04},
  };
  for (int c = 0; c < 6; ++c) {
    EXPECT_EQ(protocol::AddressText(protocol::GetIp(proposal.CamAddr(c))),
              protocol::AddressText(expected[c].address))
        << c;
    EXPECT_EQ(proposal.CamFlags(c), expected[c].flags) << c;
  }
  EXPECT_EQ(protocol::GetIp(proposal.SwAddr()), Host(10)) << "the switcher's free address stays";
  EXPECT_TRUE(protocol::IsZeroSum(proposal.bytes));

  const protocol::IpSettingRecord settled = sim::SettledTable(proposal);
  EXPECT_EQ(settled.CamFlags(1), 0x04);
  EXPECT_TRUE(protocol::IsZeroSum(settled.bytes));
}

}  // namespace
