#include "pages/ip_address/vk38_ipset.h"

#include <gtest/gtest.h>

#include "pages/setting/ip_setting.h"
#include "platform/system.h"
#include "resources/resource.h"
#include "support/scripted_host.h"
#include "support/user_input.h"

namespace {

using testing_support::Click;
using testing_support::EnterAddress;
using testing_support::Pick;
using testing_support::ScriptedHost;
using testing_support::TypeIntoCombo;

struct PanelLinkFixture : ::testing::Test {
  ScriptedHost host;
  platform::SystemNetwork network;
  platform::SystemFileSystem files;
  rules::PanelAddressBook panels;
  PageContext context{host, ChosenPanel{network, panels}, files};
};

struct IpAddressPage : PanelLinkFixture {
  CVK38IPSET page{context};
  void SetUp() override { page.OnInitDialog(); }
};

TEST_F(IpAddressPage, ShowsTheBuiltInAddressesAtStart) {
  for (int i = 0; i < protocol::kPanelCount; ++i) {
    EXPECT_EQ(page.Controls().Address(IDC_VK1_ADDRESS + i), protocol::kBuiltInPanels[i]);
  }
}

TEST_F(IpAddressPage, SetStoresTheValidEntriesAndNamesTheRefusedOnes) {
  EnterAddress(page, IDC_VK1_ADDRESS, 0x0A000001);  // 10.0.0.1
  EnterAddress(page, IDC_VK2_ADDRESS, 0);           // blank
  EnterAddress(page, IDC_VK3_ADDRESS, 0x0A000003);
  EnterAddress(page, IDC_VK4_ADDRESS, 0x0A0000FF);  // 10.0.0.255
  EnterAddress(page, IDC_VK5_ADDRESS, 0x0A000005);
  Click(page, IDC_IPSET_SET);

  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].text, "Unavailable network setting!\r\n VK2/ VK4");
  EXPECT_EQ(host.boxes[0].caption, testing_support::kApplicationName);
  EXPECT_EQ(host.boxes[0].style, ui::kMbOk | ui::kMbIconExclamation);
  EXPECT_EQ(host.boxes[0].owner, &page);

  EXPECT_EQ(panels.Entry(0), 0x0A000001u);
  EXPECT_EQ(panels.Entry(1), protocol::kBuiltInPanels[1]);
  EXPECT_EQ(panels.Entry(2), 0x0A000003u);
  EXPECT_EQ(panels.Entry(3), protocol::kBuiltInPanels[3]);
  EXPECT_EQ(panels.Entry(4), 0x0A000005u);
  // The refused entry stays on screen as typed; the current panel is untouched.
  EXPECT_EQ(page.Controls().Address(IDC_VK4_ADDRESS), 0x0A0000FFu);
  EXPECT_EQ(panels.Current(), protocol::kBuiltInPanels[0]);
}

TEST_F(IpAddressPage, SetWithFiveValidAddressesStoresThemSilently) {
  for (int i = 0; i < protocol::kPanelCount; ++i) {
    EnterAddress(page, IDC_VK1_ADDRESS + i, 0xAC100001 + i);  // 172.16.0.1 ...
  }
  Click(page, IDC_IPSET_SET);
  EXPECT_TRUE(host.boxes.empty());
  for (int i = 0; i < protocol::kPanelCount; ++i) {
    EXPECT_EQ(panels.Entry(i), 0xAC100001u + i);
  }
}

TEST_F(IpAddressPage, EveryRefusedEntryIsListedInOrder) {
  for (int i = 0; i < protocol::kPanelCount; ++i) {
    EnterAddress(page, IDC_VK1_ADDRESS + i, 0x7F000001);  // 127.0.0.1
  }
  Click(page, IDC_IPSET_SET);
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].text, "Unavailable network setting!\r\n VK1/ VK2/ VK3/ VK4/ VK5");
}

struct PanelSelectorOnSettingPage : PanelLinkFixture {
  IPSetting page{context};
  void SetUp() override { page.OnInitDialog(); }
};

TEST_F(PanelSelectorOnSettingPage, IsFilledWithVk1SelectedWithoutTouchingTheCurrentPanel) {
  panels.SetCurrent(0x01020304);
  page.OnInitDialog();
  EXPECT_EQ(page.Controls().Items(IDC_PANEL_SELECTOR).size(), 5u);
  EXPECT_EQ(page.Controls().Items(IDC_PANEL_SELECTOR)[4], "VK5(192.168.0.4)");
  EXPECT_EQ(page.Controls().Selection(IDC_PANEL_SELECTOR), 0);
  EXPECT_EQ(panels.Current(), 0x01020304u);
}

TEST_F(PanelSelectorOnSettingPage, PickingAnEntryMakesItsPanelCurrent) {
  Pick(page, IDC_PANEL_SELECTOR, 1);
  EXPECT_EQ(panels.Current(), protocol::kBuiltInPanels[1]);
  EXPECT_EQ(page.PanelIndex(), 1);
}

TEST_F(PanelSelectorOnSettingPage, RefreshWithTypedTextKeepsThePanelPickedLast) {
  Pick(page, IDC_PANEL_SELECTOR, 3);
  TypeIntoCombo(page, IDC_PANEL_SELECTOR, "VK9(1.2.3.4)");
  page.RefreshPanelSelector();
  EXPECT_EQ(page.Controls().Selection(IDC_PANEL_SELECTOR), 3);
  EXPECT_EQ(page.Controls().Text(IDC_PANEL_SELECTOR), "VK4(192.168.0.5)");
  EXPECT_EQ(panels.Current(), protocol::kBuiltInPanels[3]);
}

}  // namespace
