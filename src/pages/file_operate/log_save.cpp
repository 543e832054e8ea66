// The panel's log to a file: written piece by piece as it arrives, so that a
// log of any size needs no more memory than one piece.
#include "pages/common/outcome_texts.h"
#include "pages/common/panel_exchange.h"
#include "pages/file_operate/file_ope.h"
#include "protocol/commands.h"

void CFile_Ope::OnSaveLog() {
  const std::optional<std::string> path = GetHost().ShowSaveFileDialog(
      *this, {.filter = "LOG|VK38.log||", .initialName = "VK38.log", .overwritePrompt = true});
  if (!path) return;
  PushToControls();

  PanelExchange exchange(*this, link_,
                         {.noSocket = kSilent, .notConnected = kNoConnect, .lost = kSocketError});
  if (exchange.Start(commands::kLogRequest) != ExchangeStart::kSent) return;
  CPanelSession& session = exchange.Session();
  const std::unique_ptr<platform::WritableFile> file = files_.CreateForWriting(*path);
  if (!file) {
    // The panel is drained all the same, so that it ends its send normally.
    session.ReceiveStream([](const std::uint8_t*, std::size_t) {});
    ShowFailure("File open error");
    return;
  }
  bool writeFailed = false;
  const StreamEnd end = session.ReceiveStream([&](const std::uint8_t* data, std::size_t count) {
    // A piece that cannot be written is lost, but the rest still arrives.
    if (!file->Write(data, count)) writeFailed = true;
  });
  if (!file->Close()) writeFailed = true;
  if (end.failed) {
    ShowFailure(kSocketError);
  } else if (writeFailed) {
    ShowFailure("File write error");
  } else {
    ShowStatus("Save OK!!");
  }
}
