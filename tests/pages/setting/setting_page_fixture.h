// The Setting page driven as the operator drives it: against the in-process
// simulator over the private network, or against scripted peers for the
// failures a panel does not produce on demand.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "pages/setting/ip_setting.h"
#include "pages/setting/ip_setting_controls.h"
#include "platform/system.h"
#include "resources/resource.h"
#include "sim/panel_simulator.h"
#include "support/fake_network.h"
#include "support/scripted_host.h"
#include "support/user_input.h"

namespace setting_test {

namespace sc = setting_controls;
using Bytes = std::vector<std::uint8_t>;
using Texts = std::vector<std::string>;

inline constexpr protocol::PanelAddress kVk1 = 0xC0A80009;  // 192.168.0.9
inline constexpr protocol::PanelAddress kVk2 = 0xC0A80007;  // 192.168.0.7
inline const std::string kTenBlanks(10, ' ');

inline protocol::PanelAddress Ip(int a, int b, int c, int d) {
  return static_cast<protocol::PanelAddress>((a << 24) | (b << 16) | (c << 8) | d);
}

// A panel's table in wire codes: every camera Network at 10.0.0.(c+1),
// HTTP port 8000+c, a MAC and a name of its own; the switcher Network at
// 10.0.1.1 with no inputs assigned. Tests change what they need, then seal.
inline protocol::IpSettingRecord PanelTable() {
  protocol::IpSettingRecord table;
  for (int c = 0; c < protocol::kCameraCount; ++c) {
    const protocol::MacField mac = table.CamMac(c);
    const std::uint8_t macBytes[6] = {0x02, 0x38, 0x00, 0xA0, 0x00, static_cast<std::uint8_t>(c)};
    std::copy(std::begin(macBytes), std::end(macBytes), mac.begin());
    protocol::SetIp(table.CamAddr(c), Ip(10, 0, 0, c + 1));
    protocol::SetHttpPort(table.CamAddr(c), static_cast<std::uint16_t>(8000 + c));
    table.CamKind(c) = protocol::kWireNetwork;
    table.SetCamName(c, "CAM" + std::to_string(c + 1));
  }
  table.SwKind() = protocol::kSwitcherNetwork;
  const std::uint8_t swMac[6] = {0x02, 0x38, 0x00, 0xB0, 0x00, 0x01};
  std::copy(std::begin(swMac), std::end(swMac), table.SwMac().begin());
  protocol::SetIp(table.SwAddr(), Ip(10, 0, 1, 1));
  protocol::SetHttpPort(table.SwAddr(), 80);
  // Reserved stretches carry something, so that losing them shows.
  table.bytes[3] = 0x33;
  table.bytes[1500] = 0x77;
  table.bytes[3341] = 0x41;
  return table;
}

inline protocol::IpSettingRecord Sealed(protocol::IpSettingRecord table) {
  protocol::ComputeChecksum(table);
  return table;
}

inline std::string AsText(const protocol::IpSettingRecord& record) {
  return std::string(record.bytes.begin(), record.bytes.end());
}

inline std::string Line(const std::string& text) { return text + "\r\n" + '\0'; }

// What every page test does and looks at.
template <class Network>
struct SettingPage : ::testing::Test {
  testing_support::ScriptedHost host;
  Network network;
  platform::SystemFileSystem files;
  rules::PanelAddressBook panels;
  IPSetting page{PageContext{host, ChosenPanel{network, panels}, files}};

  void SetUp() override { page.OnInitDialog(); }

  const ui::ControlModel& Screen() const { return page.Controls(); }
  const std::string& Text(int id) const { return Screen().Text(id); }
  Texts Column(const sc::RowIds& ids) const {
    Texts texts;
    for (int id : ids) texts.push_back(Screen().Text(id));
    return texts;
  }
  protocol::PanelAddress AddressShown(int row) const { return Screen().Address(sc::kIp[row]); }

  Texts Press(int button) {
    host.boxes.clear();
    testing_support::Click(page, button);
    return host.BoxTexts();
  }
  // The bar's own position moves only when the page sets it.
  void Scroll(int request, int position = 0) {
    page.OnVScroll(request, position, IDC_SETTING_SCROLL);
  }
  void ScrollTo(int group) { Scroll(ui::kSbThumbPosition, group); }
  void PickType(int row, const std::string& type) {
    PickItem(row == sc::kSwitcherRow ? IDC_SW_TYPE : sc::kType[row], type);
  }
  void PickInput(int row, int input) { testing_support::Pick(page, sc::kSwInput[row], input); }
  void PickCamera(int row, const std::string& label) { PickItem(sc::kCameraSelect[row], label); }
  void PickItem(int id, const std::string& item) {
    const Texts& items = Screen().Items(id);
    const auto found = std::find(items.begin(), items.end(), item);
    ASSERT_NE(found, items.end()) << item << " is not offered by control " << id;
    testing_support::Pick(page, id, static_cast<int>(found - items.begin()));
  }
};

// Against the simulated panels VK1 and VK2.
struct SettingPageWithPanel : SettingPage<platform::SystemNetwork> {
  sim::PanelSimulator simulator{network, {kVk1, kVk2}};

  void SetUp() override {
    for (protocol::PanelAddress address : simulator.Addresses()) {
      sim::PanelTiming timing;
      timing.idleGap = std::chrono::milliseconds(150);
      timing.lineGap = std::chrono::milliseconds(10);
      timing.peerWait = std::chrono::milliseconds(5000);
      simulator.Panel(address).SetTiming(timing);
    }
    std::string error;
    ASSERT_TRUE(simulator.Start(&error)) << error;
    SettingPage::SetUp();
  }

  sim::SimulatedPanel& Vk1() { return simulator.Panel(kVk1); }
  // VK1 holds `table` (sealed here); REFRESH shows it.
  void Load(const protocol::IpSettingRecord& table) {
    Vk1().SetCameraRecord(Sealed(table));
    ASSERT_EQ(Press(IDC_SETTING_REFRESH), Texts{});
  }
};

// Against scripted peers.
struct SettingPageScripted : SettingPage<testing_support::FakeNetwork> {
  // REFRESH from a peer that answers `reply` and closes.
  Texts RefreshFrom(const std::string& reply) {
    network.Expect(testing_support::ScriptedPeer::Answering({reply}));
    return Press(IDC_SETTING_REFRESH);
  }
  void Load(const protocol::IpSettingRecord& table) {
    ASSERT_EQ(RefreshFrom(AsText(Sealed(table))), Texts{});
  }
};

}  // namespace setting_test
