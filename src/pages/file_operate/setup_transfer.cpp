// The setup block between panel and setup file: File chooses the file that
// Load sends; Save fetches the block and stores it where the user says.
#include <cstdint>
#include <vector>

#include "operations/setup_block.h"
#include "pages/common/outcome_report.h"
#include "pages/file_operate/file_ope.h"
#include "resources/resource.h"
#include "rules/outcome_texts.h"

namespace {
const ui::FileDialogOptions kSetupFileDialog{.filter = "SETUP|*.v38||", .initialName = "*.v38"};
}  // namespace

void CFile_Ope::OnFile() {
  const std::optional<std::string> chosen = GetHost().ShowOpenFileDialog(*this, kSetupFileDialog);
  if (!chosen) return;
  m_filePath = *chosen;
  PushToControls();
}

void CFile_Ope::OnLoad() {
  // The file is opened once the panel accepted the change; a file that
  // cannot be read to its end is not sent whole.
  const operations::Outcome written =
      operations::WriteSetupBlock(panel_.Link(), [&] { return files_.OpenForReading(m_filePath); });
  ReportOutcome(*this, written, rules::kSetupLoadWords);
}

void CFile_Ope::OnSave() {
  std::vector<std::uint8_t> block;
  const operations::Outcome read = operations::ReadSetupBlock(panel_.Link(), block);
  ReportOutcome(*this, read, rules::kSetupSaveWords);
  // A block that did not arrive, an empty one or one whose sum is off ends
  // the Save silently, before any file (perhaps a good backup) is touched.
  if (!read.Done()) return;

  ui::FileDialogOptions dialog = kSetupFileDialog;
  dialog.overwritePrompt = true;
  const std::optional<std::string> path = GetHost().ShowSaveFileDialog(*this, dialog);
  if (!path) return;
  PushToControls();

  const std::unique_ptr<platform::WritableFile> file = files_.CreateForWriting(*path);
  if (!file) {
    ShowFailure(rules::kSaveFileOpenError);
    return;
  }
  const bool written = file->Write(block.data(), block.size());
  if (!file->Close() || !written) {
    ShowFailure(rules::kSaveFileWriteError);
    return;
  }
  ShowStatus(rules::kSetupSaved);
}
