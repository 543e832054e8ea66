#include "pages/upgrade/upgrade.h"

#include "pages/common/outcome_report.h"
#include "resources/resource.h"
#include "rules/outcome_texts.h"

CUPGrade::CUPGrade(const PageContext& context)
    : ui::Page(IDD_UPGRADE, context.host), panel_(context.panel), files_(context.files) {
  for (int id : {IDC_PROGRAM_PATH, IDC_FPGA_PATH}) Controls().Declare(id, ui::ControlKind::kEdit);
  for (int id : {IDC_PROGRAM_FILE, IDC_PROGRAM_LOAD, IDC_FPGA_FILE, IDC_FPGA_LOAD}) {
    Controls().Declare(id, ui::ControlKind::kButton);
  }
  On(IDC_PROGRAM_FILE, ui::Notification::kClicked, [this] { OnFile(Image::kProgram); });
  On(IDC_FPGA_FILE, ui::Notification::kClicked, [this] { OnFile(Image::kFpga); });
  On(IDC_PROGRAM_LOAD, ui::Notification::kClicked, [this] { OnLoad(Image::kProgram); });
  On(IDC_FPGA_LOAD, ui::Notification::kClicked, [this] { OnLoad(Image::kFpga); });
}

void CUPGrade::OnFile(Image image) {
  const std::optional<std::string> chosen =
      GetHost().ShowOpenFileDialog(*this, {.filter = "*.*|*.*||", .initialName = ""});
  if (!chosen) return;
  (image == Image::kProgram ? programPath_ : fpgaPath_) = *chosen;
  Controls().SetText(IDC_PROGRAM_PATH, programPath_);
  Controls().SetText(IDC_FPGA_PATH, fpgaPath_);
}

const std::string& CUPGrade::PathOf(Image image) const {
  return image == Image::kProgram ? programPath_ : fpgaPath_;
}

void CUPGrade::OnLoad(Image image) {
  const operations::Outcome outcome = operations::SendImage(
      panel_.Link(), image, [&] { return files_.OpenForReading(PathOf(image)); });
  if (outcome.Done()) {
    ShowMessage(rules::kUpgradeFinished);
  } else {
    ReportFailure(image, outcome);
  }
}

void CUPGrade::ReportFailure(Image image, const operations::Outcome& outcome) {
  ReportOutcome(*this, outcome, rules::kImageSendWords);
  // Intended: the image file is opened even after a refused start, so that
  // an unreadable file is reported too; it is then closed unsent.
  if (outcome.ending == operations::Ending::kRefused && !files_.OpenForReading(PathOf(image))) {
    ShowFailure(rules::kSendFileOpenError);
  }
  // Intended: a program image that failed before its "FILE OK" was judged
  // shows the failure twice, once for the missing "FILE OK" and once for the
  // Load.
  if (image == Image::kProgram && outcome.stage <= operations::Stage::kReceipt) {
    ShowFailure(rules::kUpgradeFailed);
  }
  ShowFailure(rules::kUpgradeFailed);
}
