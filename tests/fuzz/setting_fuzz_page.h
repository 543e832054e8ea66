// The Setting page as the fuzz targets drive it: scripted host, fuzzed
// panels and in-memory files; clicks as the operator makes them, each with
// the next connection's script; and the checks every Setting target shares.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
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
  const protocol::IpSettingRecord& Table() const { return rig_.page.Table(); }
  testing_support::ScriptedHost& Host() { return rig_.host; }
  protocol::PanelAddress PanelAddressNow() const { return rig_.panels.Current(); }
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
  // the table must not change. A page that was swept in the same state
  // already (the same table, assignment, typed addresses) is not swept
  // again: every scroll shows the rows from those alone.
  void RequireEveryPositionShowsTable();

 private:
  void RequireAddressShown(int row, protocol::PanelAddress shown,
                           protocol::PanelAddress held) const;

  // The texts a row shows for one camera, worked out from its fields once
  // and kept while those fields stay as they are.
  struct CameraTexts {
    std::optional<std::array<std::uint8_t, 23>> fields;  // MAC, address and port, name, alarm
    std::string name, alarm, port, mac;
  };
  const CameraTexts& TextsOf(int c) const;

  // A CAMERA Select list found right: the list as it was then (its items'
  // revision in the control model, which moves with every change of them)
  // and what it was checked against. The same list against the same
  // cameras need not be read again.
  struct CheckedList {
    std::uint64_t itemsRevision = 0;
    int camera = -1;
    bool offers = false;
    std::bitset<protocol::kCameraCount> takingPart;
  };

  // The state in which every position was last found right.
  struct Swept {
    protocol::IpSettingRecord table;
    bool assigning = false;
    unsigned typedRows = 0;
    bool firstRowsMayBeBlank = false;
    bool operator==(const Swept&) const = default;
  };
  Swept SweepState() const;

  PageRig<IPSetting> rig_;
  mutable bool firstRowsMayBeBlank_ = false;
  mutable unsigned typedRows_ = 0;
  mutable std::array<CameraTexts, protocol::kCameraCount> cameraTexts_;
  mutable std::array<CheckedList, setting_controls::kRowCount> checkedLists_;
  std::optional<Swept> swept_;
};

// "IP(a.b.c.d) Duplication" for an address entry.
std::string DuplicationText(protocol::ConstAddrField entry);

}  // namespace fuzz
