// Row editing: the panel selector, the Type and SW Input lists, and the
// exchange of two cameras through the CAMERA Select lists.
#include <algorithm>
#include <utility>

#include "pages/setting/ip_setting.h"
#include "resources/resource.h"
#include "rules/camera_table_edits.h"
#include "rules/camera_table_texts.h"
#include "rules/camera_table_words.h"

namespace sc = setting_controls;

namespace {

// The item the user picked, or nothing when no item of the list is selected.
std::optional<int> PickedItem(const ui::ControlModel& controls, int id) {
  const int index = controls.Selection(id);
  if (index < 0 || index >= static_cast<int>(controls.Items(id).size())) return std::nullopt;
  return index;
}

}  // namespace

void IPSetting::OnPanelSelect() {
  // The next exchange goes to the picked panel; the table stays as it is.
  const int picked = selector_.OnPick();
  if (picked >= 0) panelIndex = picked;
}

bool IPSetting::BeginRowEdit(bool picked) {
  // During an address assignment nothing is edited: the rows go back.
  if (assignMode != kNoAssignment) {
    ShowRows();
    return false;
  }
  StoreVisibleAddresses();
  // A list left without an entry changes nothing; what was typed stays.
  if (!picked) {
    ShowRows();
    return false;
  }
  return true;
}

void IPSetting::OnTypeChange(int row) {
  const int id = row == sc::kSwitcherRow ? IDC_SW_TYPE : sc::kType[row];
  const std::optional<int> picked = PickedItem(Controls(), id);
  if (!BeginRowEdit(picked.has_value())) return;
  if (row == sc::kSwitcherRow) {
    table_.SwKind() = static_cast<std::uint8_t>(*picked);
  } else {
    rules::SetCamPageKind(table_, CameraOfRow(row), static_cast<std::uint8_t>(*picked));
  }
  FillCameraSelectLists();
  ShowRows();
}

void IPSetting::OnSwInputChange(int row) {
  const std::optional<int> picked = PickedItem(Controls(), sc::kSwInput[row]);
  if (!BeginRowEdit(picked.has_value())) return;
  if (!rules::PutOnInput(table_, CameraOfRow(row), *picked)) {
    ShowMessage("Already Assigned!!", std::nullopt, ui::kMbOk | ui::kMbIconExclamation);
  }
  // Puts a refused list back on the input it showed before.
  ShowRows();
}

void IPSetting::OnCameraSelect(int row) {
  const int id = sc::kCameraSelect[row];
  const std::optional<int> picked = PickedItem(Controls(), id);
  if (!picked) return;
  const std::string& text = Controls().Items(id)[*picked];
  int chosen = 0;
  while (chosen < protocol::kCameraCount && rules::CameraLabel(chosen) != text) ++chosen;
  if (chosen == protocol::kCameraCount) return;  // the blank entry
  SwapCameras(chosen, CameraOfRow(row));
  // The list shows the blank entry again, also when the exchange rebuilt it.
  Controls().SetSelection(id, 0);
}

void IPSetting::SwapCameras(int a, int b) {
  if (assignMode != kNoAssignment) {
    ShowRows();
    return;
  }
  StoreVisibleAddresses();
  std::swap(camAddrAtRead[a], camAddrAtRead[b]);
  // When one of the two takes part in CAMERA Select and the other does not
  // (a Serial, CAM_Direct or unknown code, which rows 6 to 15 may hold),
  // the exchange changes which cameras the lists offer.
  const bool offeredChange = rules::TakesPartInCameraSelect(table_.CamKind(a)) !=
                             rules::TakesPartInCameraSelect(table_.CamKind(b));
  rules::SwapCameras(table_, a, b);
  if (offeredChange) FillCameraSelectLists();
  ShowRows();
}
