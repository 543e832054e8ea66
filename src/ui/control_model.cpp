#include "ui/control_model.h"

#include <utility>

namespace ui {

ControlState& ControlModel::Declare(int id, ControlKind kind) {
  ControlState& state = Touch(id);
  state.kind = kind;
  state.itemsRevision = state.revision;
  return state;
}

const ControlState& ControlModel::State(int id) const {
  static const ControlState kAbsent;
  auto it = controls_.find(id);
  return it == controls_.end() ? kAbsent : it->second;
}

ControlState& ControlModel::Touch(int id) {
  ControlState& state = controls_[id];
  state.revision = ++revision_;
  return state;
}

ControlState& ControlModel::TouchItems(int id) {
  ControlState& state = Touch(id);
  state.itemsRevision = state.revision;
  return state;
}

void ControlModel::SetText(int id, std::string text) { Touch(id).text = std::move(text); }

void ControlModel::SetItems(int id, std::vector<std::string> items) {
  ControlState& state = TouchItems(id);
  state.items = std::move(items);
  state.selection = -1;
}

void ControlModel::SetItemsAgain(int id) { TouchItems(id).selection = -1; }

void ControlModel::AddItem(int id, std::string item) {
  TouchItems(id).items.push_back(std::move(item));
}

void ControlModel::ResetContent(int id) {
  ControlState& state = TouchItems(id);
  state.items.clear();
  state.selection = -1;
  if (state.kind == ControlKind::kComboBox) state.text.clear();
}

void ControlModel::SetSelection(int id, int index) {
  ControlState& state = Touch(id);
  // As on the platform, an index outside the list leaves no selection.
  const bool inList = index >= 0 && index < static_cast<int>(state.items.size());
  state.selection = inList ? index : -1;
  if (state.kind == ControlKind::kComboBox) state.text = inList ? state.items[index] : "";
}

void ControlModel::SetAddress(int id, std::uint32_t address) { Touch(id).address = address; }

void ControlModel::SetTextLimit(int id, int limit) { Touch(id).textLimit = limit; }

void ControlModel::SetScrollRange(int id, int min, int max) {
  ControlState& state = Touch(id);
  state.scrollMin = min;
  state.scrollMax = max;
}

void ControlModel::SetScrollPos(int id, int pos) { Touch(id).scrollPos = pos; }

void ControlModel::Enable(int id, bool enabled) { Touch(id).enabled = enabled; }

void ControlModel::Show(int id, bool visible) { Touch(id).visible = visible; }

void ControlModel::StoreUserText(int id, std::string text) { controls_[id].text = std::move(text); }

void ControlModel::StoreUserSelection(int id, int index, std::string text) {
  ControlState& state = controls_[id];
  state.selection = index;
  state.text = std::move(text);
}

void ControlModel::StoreUserAddress(int id, std::uint32_t address) {
  controls_[id].address = address;
}

void ControlModel::StoreUserScrollPos(int id, int pos) { controls_[id].scrollPos = pos; }

void ControlModel::ForEach(const std::function<void(int, const ControlState&)>& visit) const {
  for (const auto& [id, state] : controls_) visit(id, state);
}

}  // namespace ui
