// The write rules on their own: which entries an address collides with, the
// address tests' notices in their order and where they stop the write, the
// MAC rule of the prepared table, and the firmware questions.
#include "rules/camera_table_write.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

using rules::Duplicate;
using rules::WriteNotice;
using Table = protocol::IpSettingRecord;

constexpr protocol::PanelAddress Ip(unsigned a, unsigned b, unsigned c, unsigned d) {
  return (a << 24) | (b << 16) | (c << 8) | d;
}

constexpr protocol::PanelAddress kPanel = Ip(192, 168, 0, 9);
constexpr int kSw = rules::kSwitcherEntry;

// Every entry on an address of its own: C001 to C100 on 10.0.0.1 to
// 10.0.0.100, the switcher on 10.0.1.1; networked cameras, a networked
// switcher, and every other byte set.
Table UsableTable() {
  Table table;
  for (std::size_t i = 0; i < table.bytes.size(); ++i) {
    table.bytes[i] = static_cast<std::uint8_t>(i * 31 + 5);
  }
  for (int c = 0; c < protocol::kCameraCount; ++c) {
    protocol::SetIp(table.CamAddr(c), Ip(10, 0, 0, static_cast<unsigned>(c) + 1));
    table.CamKind(c) = protocol::kWireNetwork;
  }
  protocol::SetIp(table.SwAddr(), Ip(10, 0, 1, 1));
  table.SwKind() = protocol::kSwitcherNetwork;
  return table;
}

TEST(IsDuplicate, FindsThePanelFirstThenAnyOtherEntryButNeverTheEntryItself) {
  Table table = UsableTable();
  protocol::SetIp(table.CamAddr(1), Ip(10, 0, 5, 5));
  protocol::SetIp(table.CamAddr(9), Ip(10, 0, 5, 5));
  protocol::SetIp(table.CamAddr(20), kPanel);
  struct Case {
    protocol::PanelAddress address;
    int own;
    Duplicate expected;
  };
  const Case cases[] = {
      {Ip(10, 0, 5, 5), 1, Duplicate::kOtherEntry},  // C010 holds it too
      {Ip(10, 0, 0, 3), 2, Duplicate::kFree},        // only C003 itself
      {Ip(10, 0, 0, 3), 5, Duplicate::kOtherEntry},  // C003 holds it
      {kPanel, 20, Duplicate::kPanelAddress},        // the panel's, whoever holds it
      {kPanel, 3, Duplicate::kPanelAddress},
      {Ip(10, 0, 1, 1), 0, Duplicate::kOtherEntry},  // the switcher holds it
      {Ip(10, 0, 1, 1), kSw, Duplicate::kFree},      // only the switcher itself
      {Ip(10, 0, 0, 100), kSw, Duplicate::kOtherEntry},
      {Ip(10, 9, 9, 9), 0, Duplicate::kFree},
  };
  for (const Case& test : cases) {
    EXPECT_EQ(rules::IsDuplicate(table, kPanel, test.address, test.own), test.expected)
        << protocol::AddressText(test.address) << " for entry " << test.own;
  }
}

TEST(CheckAddresses, TellsEachFindingInOrderAndStopsWhereThePageStops) {
  using Kind = WriteNotice::Kind;
  struct Case {
    const char* what;
    std::function<void(Table&)> edit;
    std::vector<WriteNotice> notices;
    bool proceeds;
  };
  const auto at = [](int entry, protocol::PanelAddress address) {
    return [=](Table& table) {
      protocol::SetIp(entry == kSw ? table.SwAddr() : table.CamAddr(entry), address);
    };
  };
  const auto both = [](std::function<void(Table&)> a, std::function<void(Table&)> b) {
    return [=](Table& table) { a(table), b(table); };
  };
  const std::string dup55 = "IP(10.0.5.5) Duplication";
  const std::string dupPanel = "IP(192.168.0.9) Duplication";
  const Case cases[] = {
      {"every address usable and its own", [](Table&) {}, {}, true},
      {"two cameras share one: each is told, the write goes on",
       both(at(1, Ip(10, 0, 5, 5)), at(9, Ip(10, 0, 5, 5))),
       {{dup55, Kind::kError, {1, 9}}, {dup55, Kind::kError, {1, 9}}},
       true},
      {"a camera on the panel's address stops at once, before a later duplicate",
       both(at(2, kPanel), both(at(50, Ip(10, 0, 5, 5)), at(51, Ip(10, 0, 5, 5)))),
       {{dupPanel, Kind::kError, {2}, true}},
       false},
      {"a camera on the switcher's address: the camera, then the switcher",
       at(4, Ip(10, 0, 1, 1)),
       {{"IP(10.0.1.1) Duplication", Kind::kError, {4, kSw}},
        {"IP(10.0.1.1) Duplication", Kind::kError, {4, kSw}}},
       true},
      {"unusable addresses are listed and stop the write, before the switcher's test",
       both(at(2, 0), both(at(6, Ip(127, 0, 0, 1)), at(kSw, kPanel))),
       {{"Unavailable network setting!\r\n C003/ C007", Kind::kWarning, {2, 6}}},
       false},
      {"five to a line, the switcher last",
       [](Table& table) {
         for (int c : {0, 1, 2, 3, 4, 99}) {
           protocol::SetIp(table.CamAddr(c), Ip(10, 0, static_cast<unsigned>(c) + 2, 255));
         }
         protocol::SetIp(table.SwAddr(), Ip(224, 0, 0, 1));
       },
       {{"Unavailable network setting!\r\n C001/ C002/ C003/ C004/ C005\r\n C100/ SW",
         Kind::kWarning,
         {0, 1, 2, 3, 4, 99, kSw}}},
       false},
      {"the switcher on the panel's address stops the write",
       at(kSw, kPanel),
       {{dupPanel, Kind::kError, {kSw}, true}},
       false},
  };
  for (const Case& test : cases) {
    Table table = UsableTable();
    test.edit(table);
    const rules::AddressCheck check = rules::CheckAddresses(table, kPanel);
    EXPECT_EQ(check.notices, test.notices) << test.what;
    EXPECT_EQ(check.proceeds, test.proceeds) << test.what;
  }
}

bool Zero(protocol::ConstMacField mac) {
  return std::all_of(mac.begin(), mac.end(), [](std::uint8_t b) { return b == 0; });
}

TEST(PrepareForWrite, KeepsAMacOnlyForANetworkedEntryStillAtItsAddressAndPortAsRead) {
  const Table read = UsableTable();
  const rules::CameraAddrCopies camAtRead = rules::CameraAddresses(read);
  const rules::AddrCopy swAtRead = rules::SwitcherAddress(read);
  struct Case {
    const char* what;
    std::uint8_t kind;
    int addressByteChanged;  // -1: none; 0 to 3 the address, 4 and 5 the port
    bool kept;
  };
  const Case cases[] = {
      {"Network, as read", protocol::kWireNetwork, -1, true},
      {"IP Direct, as read", protocol::kWireIpDirect, -1, true},
      {"Network, address changed", protocol::kWireNetwork, 3, false},
      {"IP Direct, port changed", protocol::kWireIpDirect, 5, false},
      {"Serial", protocol::kWireSerial, -1, false},
      {"CAM Direct", protocol::kWireCamDirect, -1, false},
      {"NoAsign", protocol::kWireNoAsign, -1, false},
  };
  for (const Case& test : cases) {
    Table table = read;
    table.CamKind(7) = test.kind;
    if (test.addressByteChanged >= 0) ++table.CamAddr(7)[test.addressByteChanged];
    const Table prepared = rules::PrepareForWrite(table, camAtRead, swAtRead);
    EXPECT_EQ(Zero(prepared.CamMac(7)), !test.kept) << test.what;
    // Nothing but that MAC changes, the sum included.
    std::fill(table.CamMac(7).begin(), table.CamMac(7).end(), std::uint8_t{0});
    Table expected = prepared;
    std::fill(expected.CamMac(7).begin(), expected.CamMac(7).end(), std::uint8_t{0});
    EXPECT_EQ(expected.bytes, table.bytes) << test.what;
  }

  const struct {
    const char* what;
    std::uint8_t kind;
    bool moved;
    bool kept;
  } switchers[] = {{"networked, as read", protocol::kSwitcherNetwork, false, true},
                   {"networked, moved", protocol::kSwitcherNetwork, true, false},
                   {"not in use", protocol::kSwitcherNoAsign, false, false}};
  for (const auto& test : switchers) {
    Table table = read;
    table.SwKind() = test.kind;
    if (test.moved) protocol::SetIp(table.SwAddr(), Ip(10, 0, 1, 2));
    EXPECT_EQ(Zero(rules::PrepareForWrite(table, camAtRead, swAtRead).SwMac()), !test.kept)
        << test.what;
  }
}

TEST(FirmwareQuestions, CamDirectInTheFirstGroupAndIpDirectAnywhereAskInThatOrder) {
  struct Case {
    std::vector<std::pair<int, std::uint8_t>> kinds;  // camera, wire kind
    std::vector<std::string> versions;
  };
  const Case cases[] = {
      {{}, {}},
      {{{4, protocol::kWireCamDirect}}, {"Ver2.20.00"}},
      {{{5, protocol::kWireCamDirect}}, {}},  // the second group asks nothing
      {{{99, protocol::kWireIpDirect}}, {"Ver3.30.00"}},
      {{{99, protocol::kWireIpDirect}, {0, protocol::kWireCamDirect}},
       {"Ver2.20.00", "Ver3.30.00"}},
      {{{0, protocol::kWireCamDirect}, {1, protocol::kWireCamDirect}}, {"Ver2.20.00"}},
  };
  for (const Case& test : cases) {
    Table table = UsableTable();
    for (const auto& [camera, kind] : test.kinds) table.CamKind(camera) = kind;
    const std::vector<std::string> questions = rules::FirmwareQuestions(table);
    ASSERT_EQ(questions.size(), test.versions.size());
    for (std::size_t i = 0; i < questions.size(); ++i) {
      EXPECT_EQ(questions[i],
                "Please make sure that firmware version of TL-VK38\r\n(Remote Operation Panel) "
                "should be later than " +
                    test.versions[i] +
                    "\r\nDo you execute connection?\r\nIf you are not sure, please select "
                    "\"Cancel\".");
    }
  }
}

}  // namespace
