#include "app/setup_tool_dlg.h"

#include <gtest/gtest.h>

#include "platform/system.h"
#include "resources/resource.h"
#include "support/scripted_host.h"
#include "support/user_input.h"

namespace {

using testing_support::Click;
using testing_support::EnterAddress;
using testing_support::Pick;
using testing_support::ScriptedHost;
using testing_support::SelectTab;

constexpr protocol::PanelAddress kVk1 = 0xC0A80009;
constexpr protocol::PanelAddress kVk3 = 0xC0A80006;

struct MainWindowFixture : ::testing::Test {
  ScriptedHost host;
  platform::SystemNetwork network;
  platform::SystemFileSystem files;
  rules::PanelAddressBook panels;
  CSetupToolDlg dlg{PageContext{host, ChosenPanel{network, panels}, files}};

  bool Shown(const ui::Dialog& page) { return host.visible[&page]; }
};

TEST_F(MainWindowFixture, StartUpCreatesPlacesAndShowsThePages) {
  host.strings[IDS_VERSION_MENU_ITEM] = "Version TL-VK38 Setup Software(&A)...";
  host.clientRect = {0, 0, 900, 560};
  EXPECT_TRUE(dlg.OnInitDialog());

  const std::vector<const ui::Dialog*> creationOrder = {
      &dlg.m_setting, &dlg.m_fileOpe, &dlg.m_ipset, &dlg.m_upgrade, &dlg.m_userAuth};
  EXPECT_EQ(host.createdChildren, creationOrder);
  const ui::Rect place{12, 32, 912, 592};
  for (const ui::Dialog* page : creationOrder) EXPECT_EQ(host.placements[page], place);

  EXPECT_EQ(dlg.Controls().Items(IDC_TAB),
            (std::vector<std::string>{"Setting", "File Operate", "IP Address", "User Auth."}));
  EXPECT_EQ(dlg.Controls().Selection(IDC_TAB), 0);
  EXPECT_TRUE(Shown(dlg.m_setting));
  EXPECT_FALSE(Shown(dlg.m_fileOpe) || Shown(dlg.m_ipset) || Shown(dlg.m_userAuth) ||
               Shown(dlg.m_upgrade));

  EXPECT_EQ(host.iconIds[&dlg], IDR_MAINFRAME);
  ASSERT_EQ(host.systemMenuItems.size(), 1u);
  EXPECT_EQ(host.systemMenuItems[0],
            std::make_pair(16u, std::string("Version TL-VK38 Setup Software(&A)...")));
  EXPECT_EQ(dlg.m_setting.Controls().Text(IDC_PANEL_SELECTOR), "VK1(192.168.0.9)");
  EXPECT_EQ(panels.Current(), kVk1);
}

// The pages sit below the tab strip at every DPI: 12, 32 pixels at 96 DPI,
// scaled with the screen at start-up and again when the DPI changes.
TEST_F(MainWindowFixture, ThePagesArePlacedForTheScreensDpi) {
  host.clientRect = {0, 0, 800, 560};
  host.dpi = 144;
  dlg.OnInitDialog();
  EXPECT_EQ(host.placements[&dlg.m_fileOpe], (ui::Rect{18, 48, 818, 608}));

  host.dpi = 192;
  host.clientRect = {0, 0, 1066, 746};
  dlg.OnDpiChanged();
  for (const ui::Dialog* page : std::initializer_list<const ui::Dialog*>{
           &dlg.m_setting, &dlg.m_fileOpe, &dlg.m_ipset, &dlg.m_upgrade, &dlg.m_userAuth}) {
    EXPECT_EQ(host.placements[page], (ui::Rect{24, 64, 1090, 810}));
  }
}

TEST_F(MainWindowFixture, WithoutAMenuStringNoSystemMenuEntryIsAdded) {
  dlg.OnInitDialog();
  EXPECT_TRUE(host.systemMenuItems.empty());
}

TEST_F(MainWindowFixture, APageThatCannotBeCreatedStopsTheStartUpSilently) {
  host.failChildCreationAt = 2;
  EXPECT_TRUE(dlg.OnInitDialog());
  EXPECT_EQ(host.createdChildren.size(), 2u);
  EXPECT_TRUE(host.placements.empty());
  EXPECT_TRUE(dlg.Controls().Items(IDC_TAB).empty());
  EXPECT_TRUE(host.boxes.empty());
}

TEST_F(MainWindowFixture, EachTabShowsItsPageAndTheUpgradePageNever) {
  dlg.OnInitDialog();
  const ui::Dialog* byTab[] = {&dlg.m_setting, &dlg.m_fileOpe, &dlg.m_ipset, &dlg.m_userAuth};
  for (int tab : {1, 2, 3, 0}) {
    SelectTab(dlg, IDC_TAB, tab);
    for (int other = 0; other < 4; ++other) EXPECT_EQ(Shown(*byTab[other]), other == tab);
    EXPECT_FALSE(Shown(dlg.m_upgrade));
  }
}

TEST_F(MainWindowFixture, ThePanelPickedOnTheSettingPageStaysTheTargetOfFileOperate) {
  dlg.OnInitDialog();
  Pick(dlg.m_setting, IDC_PANEL_SELECTOR, 2);
  EXPECT_EQ(panels.Current(), kVk3);
  SelectTab(dlg, IDC_TAB, 1);
  EXPECT_EQ(panels.Current(), kVk3);
  EXPECT_EQ(dlg.m_setting.Controls().Selection(IDC_PANEL_SELECTOR), 2);
}

TEST_F(MainWindowFixture, ANewPanelAddressBecomesCurrentOnlyWhenTheSelectorIsRefreshed) {
  dlg.OnInitDialog();
  SelectTab(dlg, IDC_TAB, 2);
  EnterAddress(dlg.m_ipset, IDC_VK1_ADDRESS, 0x0A000001);  // 10.0.0.1
  Click(dlg.m_ipset, IDC_IPSET_SET);
  EXPECT_EQ(panels.Entry(0), 0x0A000001u);

  SelectTab(dlg, IDC_TAB, 3);
  EXPECT_EQ(panels.Current(), kVk1);
  EXPECT_EQ(dlg.m_setting.Controls().Items(IDC_PANEL_SELECTOR)[0], "VK1(192.168.0.9)");

  SelectTab(dlg, IDC_TAB, 1);
  EXPECT_EQ(panels.Current(), 0x0A000001u);
  EXPECT_EQ(dlg.m_setting.Controls().Items(IDC_PANEL_SELECTOR)[0], "VK1(10.0.0.1)");
  EXPECT_EQ(dlg.m_setting.Controls().Selection(IDC_PANEL_SELECTOR), 0);
}

TEST_F(MainWindowFixture, AnAddressNotAppliedWithSetIsDroppedWhenTheTabIsShownAgain) {
  dlg.OnInitDialog();
  SelectTab(dlg, IDC_TAB, 2);
  EnterAddress(dlg.m_ipset, IDC_VK2_ADDRESS, 0x0A000002);
  SelectTab(dlg, IDC_TAB, 0);
  SelectTab(dlg, IDC_TAB, 2);
  EXPECT_EQ(dlg.m_ipset.Controls().Address(IDC_VK2_ADDRESS), 0xC0A80007u);
}

TEST_F(MainWindowFixture, EnterAndEscNeverReachTheMainWindowsDialogNavigation) {
  // The host routes the keys (tests/wine/win32_host_tests.cpp); the main
  // window asks for it, the pages do not need it.
  EXPECT_TRUE(dlg.KeepsEnterAndEscFromNavigation());
  EXPECT_FALSE(dlg.m_setting.KeepsEnterAndEscFromNavigation());
}

TEST_F(MainWindowFixture, OkAndCancelInsideAPageLeaveItShown) {
  dlg.OnInitDialog();
  ui::Dialog* pages[] = {&dlg.m_setting, &dlg.m_fileOpe, &dlg.m_ipset, &dlg.m_upgrade,
                         &dlg.m_userAuth};
  for (ui::Dialog* page : pages) {
    Click(*page, ui::kIdOk);
    Click(*page, ui::kIdCancel);
  }
  EXPECT_TRUE(Shown(dlg.m_setting));
  EXPECT_TRUE(host.endedDialogs.empty());
  EXPECT_TRUE(host.boxes.empty());
}

TEST_F(MainWindowFixture, TheVersionEntryOfTheSystemMenuOpensTheVersionBox) {
  // The host removes the command's low four bits (tests/wine/shell_test.cpp).
  EXPECT_TRUE(dlg.OnSysCommand(16));
  EXPECT_EQ(host.modalTemplates, (std::vector<int>{IDD_VERSION}));
  EXPECT_FALSE(dlg.OnSysCommand(0xF060));  // close goes to the default handling
}

}  // namespace
