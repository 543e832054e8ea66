// The Setting page as the fuzz targets drive it: scripted host, fuzzed
// panels and in-memory files; clicks as the operator makes them, each with
// the next connection's script; and the checks every Setting target shares.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "fuzz_input.h"
#include "fuzz_peer.h"
#include "page_rig.h"
#include "pages/setting/ip_setting.h"

namespace fuzz {

inline constexpr std::string_view kReadCommand = "VK38 IP SETTING REQ\r\n";

class SettingPage {
 public:
  SettingPage();

  IPSetting& Page() { return rig_.page; }
  const ui::ControlModel& Screen() const { return rig_.Screen(); }
  const IpSettingRecord& Table() const { return rig_.page.Table(); }
  testing_support::ScriptedHost& Host() { return rig_.host; }
  PanelAddress PanelAddressNow() const { return rig_.panels.Current(); }
  bool Assigning() const { return Screen().IsEnabled(IDC_SETTING_CANCEL); }

  // Clicks `button` with the next connection scripted from `input`; the
  // boxes it showed are in LastBoxes().
  ScriptedConnection Click(int button, FuzzInput& input) { return rig_.Click(button, input); }
  // REFRESH with the next connection scripted from `input`: the table is
  // the record received when it is whole and sums to 0, else as it was.
  void RefreshAndRequireRead(FuzzInput& input);
  // Acts on a control as the operator does, without a connection.
  void Act(const std::function<void()>& action) { rig_.Act(action); }
  const std::vector<std::string>& LastBoxes() const { return rig_.LastBoxes(); }

  // The rows, the SW row, the group labels and the CAMERA Select lists show
  // the table at the current scroll position.
  void RequireScreenShowsTable() const;
  // CANCEL whose read stopped before it rebuilt the CAMERA Select lists
  // leaves rows 1 to 5 with the assignment's blank lists, disabled, until
  // the lists are next rebuilt.
  void NoteFirstRowsLeftBlank() { firstRowsMayBeBlank_ = true; }
  // The operator typed into the address control of `row` (15: the SW
  // row); until the page stores or replaces it, the control may show it.
  void NoteTypedAddress(int row) { typedRows_ |= 1u << row; }
  // Scrolls through every position, checking the screen at each, and back;
  // the table must not change.
  void RequireEveryPositionShowsTable();

 private:
  void RequireAddressShown(int row, PanelAddress shown, PanelAddress held) const;

  PageRig<IPSetting> rig_;
  mutable bool firstRowsMayBeBlank_ = false;
  mutable unsigned typedRows_ = 0;
};

// The table a page holds after reading `received` in place of `before`: the
// record in page codes when it is whole and sums to 0, else `before`.
IpSettingRecord TableAfterRead(const IpSettingRecord& before, const std::string& received);

// "IP(a.b.c.d) Duplication" for an address entry.
std::string DuplicationText(ConstAddrField entry);

}  // namespace fuzz
