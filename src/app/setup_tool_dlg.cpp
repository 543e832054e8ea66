#include "app/setup_tool_dlg.h"

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

std::array<ui::Dialog*, 4> CSetupToolDlg::TabPages() {
  return {&m_setting, &m_fileOpe, &m_ipset, &m_userAuth};
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

  Controls().SetItems(IDC_TAB, {"Setting", "File Operate", "IP Address", "User Auth."});
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
  const int tab = Controls().Selection(IDC_TAB);
  const auto pages = TabPages();
  for (int i = 0; i < static_cast<int>(pages.size()); ++i) {
    GetHost().ShowDialog(*pages[i], i == tab);
  }
  if (tab == 0 || tab == 1) m_setting.RefreshPanelSelector();
  if (tab == 2) m_ipset.LoadFromPanelList();
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
