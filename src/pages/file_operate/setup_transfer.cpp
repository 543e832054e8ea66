// The setup block between panel and setup file: File chooses the file that
// Load sends; Save fetches the block and stores it where the user says.
#include "pages/common/outcome_texts.h"
#include "pages/common/panel_exchange.h"
#include "pages/file_operate/file_ope.h"
#include "protocol/commands.h"
#include "protocol/zero_sum.h"
#include "resources/resource.h"

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
  PanelExchange exchange(*this, link_,
                         {.noSocket = kWriteError,
                          .notConnected = kNoConnect,
                          .lost = kSocketError,
                          .refused = kCommandError,
                          .blockLost = kWriteError,
                          .notWritten = kWriteError,
                          .written = kWriteOk});
  exchange.Write(commands::kSetupChange, [&](CPanelSession& session) {
    const std::unique_ptr<platform::ReadableFile> file = files_.OpenForReading(m_filePath);
    if (!file) {
      ShowFailure("File Open Error!!");
      return BlockDelivery::kAbandoned;
    }
    // A file that cannot be read to its end is not sent whole.
    return session.SendFile(*file) ? BlockDelivery::kSent : BlockDelivery::kCut;
  });
}

void CFile_Ope::OnSave() {
  PanelExchange exchange(*this, link_,
                         {.noSocket = kSilent, .notConnected = kNoConnect, .lost = kSilent});
  if (exchange.Start(commands::kSetupRequest) != ExchangeStart::kSent) return;
  CPanelSession& session = exchange.Session();
  const std::optional<std::size_t> received = session.ReceiveUntilClosed();
  if (!received) return;
  const std::span<const std::uint8_t> block = session.ReplyBuffer().first(*received);
  // An empty block is no setup: like one whose sum is off, it ends the Save
  // silently, before any file (perhaps a good backup) is touched.
  if (block.empty() || !IsZeroSum(block)) return;

  ui::FileDialogOptions dialog = kSetupFileDialog;
  dialog.overwritePrompt = true;
  const std::optional<std::string> path = GetHost().ShowSaveFileDialog(*this, dialog);
  if (!path) return;
  PushToControls();

  const std::unique_ptr<platform::WritableFile> file = files_.CreateForWriting(*path);
  if (!file) {
    ShowFailure("File open error");
    return;
  }
  const bool written = file->Write(block.data(), block.size());
  if (!file->Close() || !written) {
    ShowFailure("File write error");
    return;
  }
  ShowStatus("Save OK");
}
