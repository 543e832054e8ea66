// The panel's log to a file: written piece by piece as it arrives, so that a
// log of any size needs no more memory than one piece.
#include "operations/panel_log.h"
#include "pages/common/outcome_report.h"
#include "pages/file_operate/file_ope.h"
#include "rules/outcome_texts.h"

void CFile_Ope::OnSaveLog() {
  const std::optional<std::string> path = GetHost().ShowSaveFileDialog(
      *this, {.filter = "LOG|VK38.log||", .initialName = "VK38.log", .overwritePrompt = true});
  if (!path) return;
  PushToControls();

  const operations::Outcome saved =
      operations::SaveLog(panel_.Link(), [&] { return files_.CreateForWriting(*path); });
  ReportOutcome(*this, saved, rules::kLogSaveWords);
}
