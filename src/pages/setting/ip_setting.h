// The Setting page: the chosen panel's camera table, shown 15 rows at a time
// with the switcher row last. The operator reads the table from the panel,
// edits types, switcher inputs and addresses, exchanges cameras, and writes
// the table back; the panel can also propose the addresses itself (renew and
// keep), and ALL CLEAR resets the table to a numbering plan. The panel
// selector at the top chooses the panel that every page talks to.
//
// The page's work is split by concern: view (ip_setting_view.cpp), reading
// (ip_setting_read.cpp), row editing (ip_setting_edit.cpp), writing
// (ip_setting_write.cpp), address assignment (ip_setting_assign.cpp), all
// clear (ip_setting_clear.cpp), and the steps every exchange with the panel
// shares (ip_setting_exchange.cpp).
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "operations/outcome.h"
#include "pages/common/outcome_report.h"
#include "pages/common/page_context.h"
#include "pages/common/panel_selector.h"
#include "pages/setting/ip_setting_controls.h"
#include "protocol/ip_setting_record.h"
#include "rules/camera_table_write.h"
#include "ui/page.h"

class IPSetting : public ui::Page {
 public:
  // The address assignment in progress, if any: the values of assignMode.
  enum AssignMode { kNoAssignment = 0, kRenewMode = 1, kKeepMode = 2 };

  using AddrCopy = rules::AddrCopy;

  explicit IPSetting(const PageContext& context);

  bool OnInitDialog() override;
  void OnVScroll(int request, int position, int scrollBarId) override;
  std::optional<ui::ControlColors> OnCtlColor(int id) override;
  // Tab "Setting" or "File Operate" selected: the selector's entries are
  // built again from the address list and the chosen panel made current.
  void RefreshPanelSelector();

  // The table as the page holds it, as the panel sent it or as it was last sent.
  const protocol::IpSettingRecord& Table() const { return table_; }
  // Page state, for reading.
  AssignMode CurrentAssignMode() const { return assignMode; }
  int TopGroup() const { return topGroup; }
  int PanelIndex() const { return panelIndex; }
  const std::array<AddrCopy, protocol::kCameraCount>& CamAddrAtRead() const {
    return camAddrAtRead;
  }

  // The CANCEL button (1018). The dialog's own Cancel (Esc) stays the
  // page's, which does nothing.
  struct CancelButton {};
  void OnCancel(CancelButton);
  using ui::Page::OnCancel;

 private:
  // Page state.
  AssignMode assignMode = kNoAssignment;
  int topGroup = 0;    // group shown in rows 1 to 5, 0 to 17
  int panelIndex = 0;  // the selector entry picked last
  // The addresses as last read from the panel; a write keeps a MAC address
  // only where the address still matches.
  std::array<AddrCopy, protocol::kCameraCount> camAddrAtRead{};
  AddrCopy swAddrAtRead{};

  // ip_setting.cpp
  void DeclareControls();
  void MapMessages();

  // ip_setting_view.cpp
  int CameraOfRow(int row) const { return protocol::kCamerasPerGroup * topGroup + row; }
  // Shows the visible rows, the SW row and the picked panel from the table:
  // the one place where the table reaches the row controls.
  void ShowRows();
  // Takes the addresses shown in the 16 address controls into the table.
  void StoreVisibleAddresses();
  // Rebuilds the 15 CAMERA Select lists from the types in the table.
  void FillCameraSelectLists();
  void FillFirstRowsTypeLists();

  // ip_setting_exchange.cpp
  // Reports how fetching a record (the table, or a proposal) into the table
  // ended. False only when the connection or the command failed; a socket
  // that cannot be made, a failed receive, an empty or damaged record leave
  // the table as it is and count as done.
  bool Fetched(const operations::Outcome& outcome);
  void TakeReadTimeCopies();
  void ShowDuplication(protocol::ConstAddrField address);

  // ip_setting_read.cpp
  void OnRefresh();
  void ReadTable();

  // ip_setting_edit.cpp
  void OnPanelSelect();
  // What a pick on a Type or SW Input list does first: nothing during an
  // address assignment, else the addresses shown go into the table. True
  // when the pick then applies (an entry was picked).
  bool BeginRowEdit(bool picked);
  void OnTypeChange(int row);
  void OnSwInputChange(int row);
  void OnCameraSelect(int row);
  void SwapCameras(int a, int b);

  // ip_setting_write.cpp
  void OnSet();
  // Checks, prepares and writes the table as it stands, then shows it. SET
  // first takes the addresses shown into it; ALL CLEAR does not, its table
  // being newer than the address controls.
  void WriteTable();
  // Shows the notices of the write's address tests; false when they stop it.
  bool PassesAddressTests();
  // Asks the firmware questions in order; false at the first not answered OK.
  bool ConfirmFirmware(const protocol::IpSettingRecord& prepared);
  void SendTable(const protocol::IpSettingRecord& prepared);

  // ip_setting_assign.cpp
  void OnRenew();
  void OnKeep();
  void StartAssignment(AssignMode mode);
  void FinishAssignment();
  void EnterAssignment(AssignMode mode);
  void LeaveAssignment();
  void ShowFlaggedDuplicates();
  void SetAssignmentButtons(bool assigning);
  void SetEditingControls(bool enabled);

  // ip_setting_clear.cpp
  void OnAllClear();

  ChosenPanel panel_;
  PanelSelector selector_;
  protocol::IpSettingRecord table_;

  // What each CAMERA Select list was last built from (its row's own camera,
  // or -1 for a list that offers none, and the cameras that took part) and
  // its items' revision then. A list to be built from the same again, that
  // nothing changed since, is set again as it is rather than built anew.
  struct CameraSelectSource {
    std::uint64_t itemsRevision = 0;
    int own = -1;
    std::bitset<protocol::kCameraCount> offered;
  };
  std::array<CameraSelectSource, setting_controls::kRowCount> cameraSelectSources_{};
};
