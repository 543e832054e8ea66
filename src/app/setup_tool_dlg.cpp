#include "app/setup_tool_dlg.h"

#include <string>
#include <vector>

#include "app/version_dlg.h"
#include "resources/resource.h"

CSetupToolDlg::CSetupToolDlg(const PageContext& context)
    : ui::Dialog(IDD_SETUPTOOL_DIALOG, context.host),
      m_fileOpe(context),
      m_upgrade(context),
      m_setting(context),
      m_ipset(context),
      m_userAuth(context) {
  Controls().Declare(IDC_TAB, ui::ControlKind::kTab);
  On(IDC_TAB, ui::Notification::kTabSelChange, [this] { OnSelchangeTab(); });
  On(IDC_TAB, ui::Notification::kTabKeyDown, [] {});
}

std::array<ui::Dialog*, 5> CSetupToolDlg::PagesInCreationOrder() {
  return {&m_setting, &m_fileOpe, &m_ipset, &m_upgrade, &m_userAuth};
}

std::array<CSetupToolDlg::Tab, 4> CSetupToolDlg::Tabs() {
  // The Setting and File Operate tabs both show the panel selector's
  // entries anew; the IP Address tab loads the address list again.
  return {{{"Setting", &m_setting, &CSetupToolDlg::RefreshPanelSelector},
           {"File Operate", &m_fileOpe, &CSetupToolDlg::RefreshPanelSelector},
           {"IP Address", &m_ipset, &CSetupToolDlg::LoadPanelList},
           {"User Auth.", &m_userAuth}}};
}

bool CSetupToolDlg::OnInitDialog() {
  ui::Host& host = GetHost();
  const std::string menuItem = host.LoadResourceString(IDS_VERSION_MENU_ITEM);
  if (!menuItem.empty()) host.AppendSystemMenuItem(*this, IDM_VERSION, menuItem);
  host.SetDialogIcon(*this, IDR_MAINFRAME);

  for (ui::Dialog* page : PagesInCreationOrder()) {
    if (!host.CreateChildDialog(*page, *this)) return true;
  }
  PlacePages(false);

  std::vector<std::string> labels;
  for (const Tab& tab : Tabs()) labels.emplace_back(tab.label);
  Controls().SetItems(IDC_TAB, labels);
  Controls().SetSelection(IDC_TAB, 0);
  OnSelchangeTab();
  return true;
}

void CSetupToolDlg::PlacePages(bool repaint) {
  ui::Host& host = GetHost();
  const int left = host.ScaleToDpi(*this, kPageLeft);
  const int top = host.ScaleToDpi(*this, kPageTop);
  ui::Rect place = host.ClientRect(m_setting);
  place.left += left;
  place.right += left;
  place.top += top;
  place.bottom += top;
  for (ui::Dialog* page : PagesInCreationOrder()) host.MoveDialog(*page, place, repaint);
}

void CSetupToolDlg::OnDpiChanged() { PlacePages(true); }

void CSetupToolDlg::OnSelchangeTab() {
  const int picked = Controls().Selection(IDC_TAB);
  const std::array<Tab, 4> tabs = Tabs();
  for (int i = 0; i < static_cast<int>(tabs.size()); ++i) {
    GetHost().ShowDialog(*tabs[i].page, i == picked);
  }
  if (picked >= 0 && picked < static_cast<int>(tabs.size()) && tabs[picked].onShow) {
    (this->*tabs[picked].onShow)();
  }
}

bool CSetupToolDlg::OnSysCommand(unsigned command) {
  if (command != IDM_VERSION) return false;
  CVersionDlg version(GetHost());
  GetHost().RunModalDialog(version, this);
  return true;
}

bool CSetupToolDlg::KeepsEnterAndEscFromNavigation() const {
  // Through the navigation they would reach OK and Cancel and end the tool.
  return true;
}
