// The panel's log to a file: written piece by piece as it arrives, so that a
// log of any size needs no more memory than one piece.
#include "pages/common/outcome_texts.h"
#include "pages/file_operate/file_ope.h"
#include "protocol/panel_session.h"

void CFile_Ope::OnSaveLog() {
  const std::optional<std::string> path = GetHost().ShowSaveFileDialog(
      *this, {.filter = "LOG|VK38.log||", .initialName = "VK38.log", .overwritePrompt = true});
  if (!path) return;
  PushToControls();

  CPanelSession session(link_);
  switch (session.Open()) {
    case OpenResult::kSocketNotCreated:
      return;
    case OpenResult::kNotConnected:
      ShowFailure(kNoConnect);
      return;
    case OpenResult::kOpen:
      break;
  }
  if (!session.SendCommand("VK38 LOG REQ\r\n")) {
    ShowFailure(kSocketError);
    return;
  }
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
