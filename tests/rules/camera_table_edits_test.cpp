// The table edits on their own: ALL CLEAR's numbering plan at the edges of
// the address range, what it resets and what it leaves alone; the camera
// exchange; the switcher input rule.
#include "rules/camera_table_edits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <utility>

#include "rules/camera_table_words.h"

namespace {

constexpr protocol::PanelAddress Ip(unsigned a, unsigned b, unsigned c, unsigned d) {
  return (a << 24) | (b << 16) | (c << 8) | d;
}

// A table with something in every field the plan may or may not touch.
protocol::IpSettingRecord FullTable() {
  protocol::IpSettingRecord table;
  for (std::size_t i = 0; i < table.bytes.size(); ++i) {
    table.bytes[i] = static_cast<std::uint8_t>(i * 13 + 7);
  }
  for (int c = 0; c < protocol::kCameraCount; ++c)
    table.CamKind(c) = static_cast<std::uint8_t>(c % 6);
  return table;
}

TEST(NumberingPlan, CountsFromThePanelWrapsAfter254AndPutsTheSwitcherBelow) {
  struct Case {
    unsigned panelOctet;
    unsigned firstCamera;  // C001's last octet
    unsigned lastCamera;   // C100's last octet
    unsigned switcher;
  };
  for (const Case& c : {Case{9, 10, 109, 8}, Case{200, 201, 46, 199}, Case{1, 2, 101, 254},
                        Case{254, 1, 100, 253}, Case{155, 156, 1, 154}}) {
    SCOPED_TRACE(c.panelOctet);
    protocol::IpSettingRecord table = FullTable();
    rules::ClearToNumberingPlan(table, Ip(10, 20, 30, c.panelOctet));
    EXPECT_EQ(protocol::GetIp(table.CamAddr(0)), Ip(10, 20, 30, c.firstCamera));
    EXPECT_EQ(protocol::GetIp(table.CamAddr(99)), Ip(10, 20, 30, c.lastCamera));
    EXPECT_EQ(protocol::GetIp(table.SwAddr()), Ip(10, 20, 30, c.switcher));
    for (int cam = 0; cam < protocol::kCameraCount; ++cam) {
      const unsigned octet = protocol::GetIp(table.CamAddr(cam)) & 0xFF;
      EXPECT_NE(octet, c.panelOctet) << "camera " << cam << " on the panel's own address";
      EXPECT_NE(octet, 0u);
      EXPECT_NE(octet, 255u);
    }
  }
}

TEST(NumberingPlan, ResetsMacsAndNetworkTypesAndLeavesEverythingElse) {
  const protocol::IpSettingRecord before = FullTable();
  protocol::IpSettingRecord table = before;
  rules::ClearToNumberingPlan(table, Ip(192, 168, 0, 9));
  for (int c = 0; c < protocol::kCameraCount; ++c) {
    SCOPED_TRACE(c);
    EXPECT_TRUE(std::all_of(table.CamMac(c).begin(), table.CamMac(c).end(),
                            [](std::uint8_t b) { return b == 0; }));
    const std::uint8_t kind = rules::CamPageKind(before, c);
    const bool network = kind == rules::kPageNetwork || kind == rules::kPageIpDirect;
    EXPECT_EQ(rules::CamPageKind(table, c), network ? std::uint8_t{rules::kPageNoAsign} : kind);
    EXPECT_EQ(protocol::HttpPort(table.CamAddr(c)), protocol::HttpPort(before.CamAddr(c)));
    EXPECT_EQ(table.CamName(c), before.CamName(c));
    EXPECT_EQ(table.CamAlarm(c), before.CamAlarm(c));
    EXPECT_EQ(table.CamFlags(c), before.CamFlags(c));
  }
  EXPECT_TRUE(std::all_of(table.SwMac().begin(), table.SwMac().end(),
                          [](std::uint8_t b) { return b == 0; }));
  EXPECT_EQ(table.SwKind(), protocol::kSwitcherNoAsign);
  for (int k = 0; k < protocol::kSwitcherInputCount; ++k)
    EXPECT_EQ(table.SwInput(k), before.SwInput(k));
  EXPECT_EQ(table.SwFlags(), before.SwFlags());
  EXPECT_EQ(table.Checksum(), before.Checksum()) << "the write computes the sum";
}

TEST(CameraSwap, MovesEveryFieldButTheFlagsAndTheInputsFollow) {
  protocol::IpSettingRecord before = FullTable();
  before.SwInput(0) = 3;   // C003
  before.SwInput(1) = 41;  // C041
  before.SwInput(2) = 3;   // C003 again, as a panel may send
  before.SwInput(3) = 9;   // neither
  protocol::IpSettingRecord table = before;
  rules::SwapCameras(table, 2, 40);
  for (const auto& [now, was] : {std::pair{2, 40}, std::pair{40, 2}}) {
    SCOPED_TRACE(now);
    EXPECT_TRUE(std::ranges::equal(table.CamMac(now), before.CamMac(was)));
    EXPECT_TRUE(std::ranges::equal(table.CamAddr(now), before.CamAddr(was)));
    EXPECT_EQ(table.CamKind(now), before.CamKind(was));
    EXPECT_TRUE(std::ranges::equal(table.CamNameField(now), before.CamNameField(was)));
    EXPECT_EQ(table.CamAlarm(now), before.CamAlarm(was));
    EXPECT_EQ(table.CamFlags(now), before.CamFlags(now)) << "the panel's flags stay with the row";
  }
  EXPECT_EQ(table.SwInput(0), 41);
  EXPECT_EQ(table.SwInput(1), 3);
  EXPECT_EQ(table.SwInput(2), 41);
  EXPECT_EQ(table.SwInput(3), 9);
  rules::SwapCameras(table, 40, 2);
  EXPECT_EQ(table, before) << "a second exchange undoes the first";
}

TEST(SwitcherInput, ACameraTakesAFreeInputLeavingItsOthersAndNeverTakesAnotherCamerasInput) {
  struct Case {
    const char* name;
    std::array<std::uint8_t, 5> inputs;  // camera numbers on INPUT1 to INPUT5
    int input;                           // picked for C007 (camera 6)
    bool put;
    std::array<std::uint8_t, 5> after;
  };
  const Case cases[] = {
      {"free input", {0, 0, 0, 0, 0}, 3, true, {0, 0, 7, 0, 0}},
      {"moves", {7, 0, 0, 0, 0}, 5, true, {0, 0, 0, 0, 7}},
      {"off every input it was on", {7, 0, 7, 0, 0}, 2, true, {0, 7, 0, 0, 0}},
      {"NoAsign takes it off all", {7, 2, 7, 0, 0}, 0, true, {0, 2, 0, 0, 0}},
      {"already there", {7, 0, 7, 0, 0}, 3, true, {7, 0, 7, 0, 0}},
      {"held by another", {7, 2, 0, 0, 0}, 2, false, {7, 2, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    protocol::IpSettingRecord table;
    for (int k = 0; k < protocol::kSwitcherInputCount; ++k) table.SwInput(k) = c.inputs[k];
    EXPECT_EQ(rules::PutOnInput(table, 6, c.input), c.put);
    for (int k = 0; k < protocol::kSwitcherInputCount; ++k)
      EXPECT_EQ(table.SwInput(k), c.after[k]) << k;
  }
}

TEST(SwitcherInput, InputsHoldCameraNumbersAndACameraShowsOnItsHighest) {
  protocol::IpSettingRecord record;
  record.bytes[2133 + 2] = 7;  // INPUT3 = C007
  EXPECT_TRUE(rules::IsOnInput(record, 6, 3));
  EXPECT_EQ(rules::InputOfCamera(record, 6), 3);
  EXPECT_FALSE(rules::IsOnInput(record, 7, 3));
  EXPECT_EQ(rules::InputOfCamera(record, 7), 0);

  // A zero input holds nobody, not camera index -1 or C000.
  for (int c = 0; c < protocol::kCameraCount; ++c) EXPECT_FALSE(rules::IsOnInput(record, c, 1));

  // One camera on several inputs shows on the highest.
  record.SwInput(1) = 7;
  record.SwInput(4) = 7;
  EXPECT_EQ(rules::InputOfCamera(record, 6), 5);

  record.SwInput(0) = 150;  // matches no camera
  for (int c = 0; c < protocol::kCameraCount; ++c) EXPECT_FALSE(rules::IsOnInput(record, c, 1));
}

}  // namespace
