// The control-state model of one dialog: for every control id, what the
// control currently shows. Pages write it when they push their members to the
// controls and read it where they "read the control directly"; the Win32 host
// mirrors it to the real controls and stores the user's input back into it.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ui/control_state.h"

namespace ui {

class ControlModel {
 public:
  // Declares a control with its kind; returns its state for initial values.
  ControlState& Declare(int id, ControlKind kind);
  bool Has(int id) const { return controls_.count(id) != 0; }
  // The state of a control; a control never declared reads as empty.
  const ControlState& State(int id) const;

  // Writes made by the program. Each marks the control as changed, so that
  // the host shows it on the screen at its next update.
  void SetText(int id, std::string text);
  void SetItems(int id, std::vector<std::string> items);
  // SetItems with the items the list holds: no selection, marked as changed.
  void SetItemsAgain(int id);
  void AddItem(int id, std::string item);
  void ResetContent(int id);
  void SetSelection(int id, int index);
  void SetAddress(int id, std::uint32_t address);
  void SetTextLimit(int id, int limit);
  void SetScrollRange(int id, int min, int max);
  void SetScrollPos(int id, int pos);
  void Enable(int id, bool enabled);
  void Show(int id, bool visible);

  // Reads.
  const std::string& Text(int id) const { return State(id).text; }
  const std::vector<std::string>& Items(int id) const { return State(id).items; }
  int Selection(int id) const { return State(id).selection; }
  std::uint32_t Address(int id) const { return State(id).address; }
  int ScrollPos(int id) const { return State(id).scrollPos; }
  bool IsEnabled(int id) const { return State(id).enabled; }

  // Input made by the user on the real control, stored by the host (or by a
  // test acting as the user). It does not count as a change to show again.
  void StoreUserText(int id, std::string text);
  void StoreUserSelection(int id, int index, std::string text);
  void StoreUserAddress(int id, std::uint32_t address);
  void StoreUserScrollPos(int id, int pos);

  // The latest change counter; the host remembers it after an update and
  // shows only the controls changed since.
  std::uint64_t Revision() const { return revision_; }
  void ForEach(const std::function<void(int, const ControlState&)>& visit) const;

 private:
  ControlState& Touch(int id);
  ControlState& TouchItems(int id);

  std::map<int, ControlState> controls_;
  std::uint64_t revision_ = 0;
};

}  // namespace ui
