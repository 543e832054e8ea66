#include "pages/upgrade/upgrade.h"

#include "pages/common/outcome_texts.h"
#include "pages/common/panel_exchange.h"
#include "protocol/commands.h"
#include "resources/resource.h"

namespace {
constexpr const char* kFileError = "File Error!!";
// The panel writes its flash before it answers an image, so every reply
// after one gets the flash-write limit.
constexpr ReplyWait kAfterImage = ReplyWait::kFlashWrite;
}  // namespace

CUPGrade::CUPGrade(const PageContext& context)
    : ui::Page(IDD_UPGRADE, context.host), link_(context.link), files_(context.files) {
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

void CUPGrade::OnLoad(Image image) {
  PanelExchange exchange(*this, link_,
                         {.noSocket = kSilent,
                          .notConnected = kNoConnect,
                          .lost = kSocketError,
                          .refused = kCommandError});
  const bool sent = SendImage(exchange, image);
  CPanelSession& session = exchange.Session();
  const bool written = image == Image::kProgram ? AwaitProgramWritten(session, sent)
                                                : AwaitFpgaWritten(session, sent);
  if (written) {
    ShowMessage("Ver Up Finish");
  } else {
    ShowFailure(kFileError);
  }
}

bool CUPGrade::SendImage(PanelExchange& exchange, Image image) {
  const std::string_view command =
      image == Image::kProgram ? commands::kProgramUpgradeStart : commands::kFpgaUpgradeStart;
  if (exchange.Start(command) != ExchangeStart::kSent || !exchange.AwaitReply()) return false;
  const bool accepted = exchange.CheckReply(replies::kUpgradeAccepted);
  // The file is opened even after a refused start, so that an unreadable
  // file is reported too; it is then closed unsent.
  const std::unique_ptr<platform::ReadableFile> file =
      files_.OpenForReading(image == Image::kProgram ? programPath_ : fpgaPath_);
  if (!file) {
    ShowFailure("File Open Error!!");
    return false;
  }
  // A send that fails, or a read of the image that fails part-way, ends
  // the transfer as failed: no reply is awaited for an incomplete image.
  return accepted && exchange.Session().SendFile(*file);
}

bool CUPGrade::AwaitProgramWritten(CPanelSession& session, bool sent) {
  const bool fileOk =
      sent && session.ReceiveReply(kAfterImage) && session.ReplyStartsWith(replies::kFileOk);
  if (!fileOk) {
    ShowFailure(kFileError);
    return false;
  }
  // The line after "FILE OK" is not examined; the one after it decides.
  return session.ReceiveReply(kAfterImage) && session.ReceiveReply(kAfterImage) &&
         session.ReplyStartsWith(replies::kWriteOk);
}

bool CUPGrade::AwaitFpgaWritten(CPanelSession& session, bool sent) {
  return sent && session.ReceiveReply(kAfterImage) && session.ReceiveReply(kAfterImage) &&
         session.ReplyStartsWith(replies::kWriteOk);
}
