// A ui::Host for tests: it records every message box, file dialog, child
// dialog, placement and repaint in order, and answers message boxes and file
// dialogs from a script, as an operator would.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ui/dialog.h"
#include "ui/host.h"

namespace testing_support {

inline constexpr const char* kApplicationName = "SetupTool";

struct ShownMessageBox {
  const ui::Dialog* owner = nullptr;
  std::string text;
  std::string caption;  // the application's name when the box has none of its own
  unsigned style = 0;
  unsigned Icon() const { return style & ui::kMbIconMask; }
  unsigned Buttons() const { return style & ui::kMbButtonMask; }
};

struct ShownFileDialog {
  bool save = false;
  ui::FileDialogOptions options;
};

class ScriptedHost : public ui::Host {
 public:
  // Answers for the next message boxes, in order; without one a box is
  // answered with its first button (OK or Yes).
  void AnswerNextBox(int answer) { boxAnswers_.push_back(answer); }
  // Answers for the next file dialogs: a path, or nothing for Cancel.
  void AnswerNextFileDialog(std::optional<std::string> path) {
    fileAnswers_.push_back(std::move(path));
  }
  // Forgets the answers no box or file dialog has taken.
  void ForgetUnusedAnswers() {
    boxAnswers_.clear();
    fileAnswers_.clear();
  }
  // Answers a box that has no scripted answer left, from what it shows.
  std::function<int(const ShownMessageBox&)> answerBox;
  // Runs while a modal dialog is "open"; the dialog ends when it returns.
  std::function<void(ui::Dialog&)> onModal;
  // Child dialog creations fail from this one on (0-based), if set.
  std::optional<int> failChildCreationAt;
  // Client rectangle every dialog reports.
  ui::Rect clientRect{0, 0, 800, 560};
  int dpi = 96;  // of the screen every dialog is on
  // Strings of the string table.
  std::map<int, std::string> strings;
  bool hasSystemMenu = true;

  // What happened.
  std::vector<ShownMessageBox> boxes;
  std::vector<ShownFileDialog> fileDialogs;
  std::vector<const ui::Dialog*> createdChildren;
  std::vector<int> modalTemplates;
  std::map<const ui::Dialog*, ui::Rect> placements;
  std::map<const ui::Dialog*, bool> visible;
  std::map<const ui::Dialog*, int> iconIds;
  std::vector<std::pair<unsigned, std::string>> systemMenuItems;
  std::vector<const ui::Dialog*> repaints;
  std::vector<std::pair<const ui::Dialog*, int>> endedDialogs;

  // The texts of the boxes shown so far, in order.
  std::vector<std::string> BoxTexts() const;

  int ShowMessageBox(ui::Dialog* owner, std::string_view text,
                     std::optional<std::string_view> caption, unsigned style) override;
  std::optional<std::string> ShowOpenFileDialog(ui::Dialog& owner,
                                                const ui::FileDialogOptions& options) override;
  std::optional<std::string> ShowSaveFileDialog(ui::Dialog& owner,
                                                const ui::FileDialogOptions& options) override;
  bool CreateChildDialog(ui::Dialog& child, ui::Dialog& parent) override;
  int RunModalDialog(ui::Dialog& dialog, ui::Dialog* owner) override;
  void EndDialog(ui::Dialog& dialog, int result) override;
  ui::Rect ClientRect(const ui::Dialog& dialog) override;
  int ScaleToDpi(const ui::Dialog& dialog, int pixelsAt96Dpi) override;
  void MoveDialog(ui::Dialog& dialog, const ui::Rect& where, bool repaint) override;
  void ShowDialog(ui::Dialog& dialog, bool show) override;
  void RepaintDialog(ui::Dialog& dialog) override;
  void SetDialogIcon(ui::Dialog& dialog, int iconId) override;
  bool AppendSystemMenuItem(ui::Dialog& dialog, unsigned command, std::string_view text) override;
  std::string LoadResourceString(int id) override;

 private:
  std::optional<std::string> AnswerFileDialog(bool save, const ui::FileDialogOptions& options);

  std::deque<int> boxAnswers_;
  std::deque<std::optional<std::string>> fileAnswers_;
  std::map<const ui::Dialog*, int> endResults_;
};

}  // namespace testing_support
