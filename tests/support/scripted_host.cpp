#include "support/scripted_host.h"

namespace testing_support {

std::vector<std::string> ScriptedHost::BoxTexts() const {
  std::vector<std::string> texts;
  for (const ShownMessageBox& box : boxes) texts.push_back(box.text);
  return texts;
}

int ScriptedHost::ShowMessageBox(ui::Dialog* owner, std::string_view text,
                                 std::optional<std::string_view> caption, unsigned style) {
  boxes.push_back(
      {owner, std::string(text), std::string(caption.value_or(kApplicationName)), style});
  if (!boxAnswers_.empty()) {
    const int answer = boxAnswers_.front();
    boxAnswers_.pop_front();
    return answer;
  }
  if (answerBox) return answerBox(boxes.back());
  return (style & ui::kMbButtonMask) == ui::kMbYesNo ? ui::kIdYes : ui::kIdOk;
}

std::optional<std::string> ScriptedHost::AnswerFileDialog(bool save,
                                                          const ui::FileDialogOptions& options) {
  fileDialogs.push_back({save, options});
  if (fileAnswers_.empty()) return std::nullopt;
  std::optional<std::string> answer = fileAnswers_.front();
  fileAnswers_.pop_front();
  return answer;
}

std::optional<std::string> ScriptedHost::ShowOpenFileDialog(ui::Dialog&,
                                                            const ui::FileDialogOptions& options) {
  return AnswerFileDialog(false, options);
}

std::optional<std::string> ScriptedHost::ShowSaveFileDialog(ui::Dialog&,
                                                            const ui::FileDialogOptions& options) {
  return AnswerFileDialog(true, options);
}

bool ScriptedHost::CreateChildDialog(ui::Dialog& child, ui::Dialog&) {
  if (failChildCreationAt && static_cast<int>(createdChildren.size()) >= *failChildCreationAt) {
    return false;
  }
  createdChildren.push_back(&child);
  visible[&child] = false;
  child.OnInitDialog();
  return true;
}

int ScriptedHost::RunModalDialog(ui::Dialog& dialog, ui::Dialog*) {
  modalTemplates.push_back(dialog.TemplateId());
  dialog.OnInitDialog();
  if (onModal) onModal(dialog);
  auto ended = endResults_.find(&dialog);
  const int result = ended == endResults_.end() ? ui::kIdCancel : ended->second;
  endResults_.erase(&dialog);
  return result;
}

void ScriptedHost::EndDialog(ui::Dialog& dialog, int result) {
  endedDialogs.emplace_back(&dialog, result);
  endResults_[&dialog] = result;
}

ui::Rect ScriptedHost::ClientRect(const ui::Dialog&) { return clientRect; }

int ScriptedHost::ScaleToDpi(const ui::Dialog&, int pixelsAt96Dpi) {
  return pixelsAt96Dpi * dpi / 96;
}

void ScriptedHost::MoveDialog(ui::Dialog& dialog, const ui::Rect& where, bool) {
  placements[&dialog] = where;
}

void ScriptedHost::ShowDialog(ui::Dialog& dialog, bool show) { visible[&dialog] = show; }

void ScriptedHost::RepaintDialog(ui::Dialog& dialog) { repaints.push_back(&dialog); }

void ScriptedHost::SetDialogIcon(ui::Dialog& dialog, int iconId) { iconIds[&dialog] = iconId; }

bool ScriptedHost::AppendSystemMenuItem(ui::Dialog&, unsigned command, std::string_view text) {
  if (!hasSystemMenu) return false;
  systemMenuItems.emplace_back(command, std::string(text));
  return true;
}

std::string ScriptedHost::LoadResourceString(int id) {
  auto it = strings.find(id);
  return it == strings.end() ? std::string() : it->second;
}

}  // namespace testing_support
