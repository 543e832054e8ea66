#include "pages/common/panel_selector.h"

namespace {
bool IsPanelIndex(int index) { return index >= 0 && index < protocol::kPanelCount; }
}  // namespace

void PanelSelector::Fill() {
  controls_.ResetContent(comboId_);
  for (int i = 0; i < protocol::kPanelCount; ++i) {
    controls_.AddItem(comboId_, panels_.SelectorText(i));
  }
}

int PanelSelector::OnPick() {
  const int index = controls_.Selection(comboId_);
  if (IsPanelIndex(index)) panels_.SetCurrent(panels_.Entry(index));
  return index;
}

int PanelSelector::Refresh(int lastPicked) {
  int index = controls_.Selection(comboId_);
  // Text typed into the selector's edit field can leave no entry selected;
  // the entry picked last then stays the chosen panel.
  if (!IsPanelIndex(index)) index = IsPanelIndex(lastPicked) ? lastPicked : 0;
  Fill();
  controls_.SetSelection(comboId_, index);
  panels_.SetCurrent(panels_.Entry(index));
  return index;
}
