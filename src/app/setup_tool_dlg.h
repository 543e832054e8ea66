// The main window: a tab control over the pages. It creates the five pages,
// gives them one place, shows the page of the selected tab, and keeps Enter
// and Esc from ending the tool.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "pages/common/page_context.h"
#include "pages/file_operate/file_ope.h"
#include "pages/ip_address/vk38_ipset.h"
#include "pages/setting/ip_setting.h"
#include "pages/upgrade/upgrade.h"
#include "pages/user_auth/user_auth.h"
#include "ui/dialog.h"

class CSetupToolDlg : public ui::Dialog {
 public:
  // Where the pages sit in the main window's client area, in pixels of a
  // 96-DPI screen; scaled to the screen the window is on.
  static constexpr int kPageLeft = 12;
  static constexpr int kPageTop = 32;

  explicit CSetupToolDlg(const PageContext& context);

  bool OnInitDialog() override;
  bool OnSysCommand(unsigned command) override;
  void OnDpiChanged() override;
  bool KeepsEnterAndEscFromNavigation() const override;

  // Pages, in the order the main window constructs them.
  CFile_Ope m_fileOpe;
  CUPGrade m_upgrade;
  IPSetting m_setting;
  CVK38IPSET m_ipset;
  CUser_Auth m_userAuth;

 private:
  void OnSelchangeTab();
  // Gives every page the Setting page's client size, below the tab strip.
  void PlacePages(bool repaint);
  // Pages in the order they are created and placed.
  std::array<ui::Dialog*, 5> PagesInCreationOrder();
  // A tab of the main window: its label, the page it shows, and what is
  // done each time it is picked. A new tab is one more entry of Tabs().
  struct Tab {
    std::string_view label;
    ui::Dialog* page;
    void (CSetupToolDlg::*onShow)() = nullptr;
  };
  std::array<Tab, 4> Tabs();
  void RefreshPanelSelector() { m_setting.RefreshPanelSelector(); }
  void LoadPanelList() { m_ipset.LoadFromPanelList(); }
};
