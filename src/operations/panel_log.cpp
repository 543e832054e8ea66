#include "operations/panel_log.h"

#include "exchange.h"
#include "protocol/commands.h"

namespace operations {

Outcome SaveLog(const protocol::PanelLink& link, const CreateSink& create,
                const Progress& progress) {
  protocol::CPanelSession session(link, protocol::SessionExtent::kStream);
  if (Step failed = Start(session, protocol::commands::kLogRequest)) return *failed;
  const std::unique_ptr<platform::WritableFile> file = create();
  if (!file) {
    // The panel is drained all the same, so that it ends its send normally.
    session.ReceiveStream([](const std::uint8_t*, std::size_t) {});
    return {Ending::kNoFile, Stage::kPayload};
  }
  bool writeFailed = false;
  std::uint64_t total = 0;
  const protocol::StreamEnd end =
      session.ReceiveStream([&](const std::uint8_t* data, std::size_t count) {
        // A piece that cannot be written is lost, but the rest still arrives.
        if (!file->Write(data, count)) writeFailed = true;
        total += count;
        if (progress) progress(total);
      });
  if (!file->Close()) writeFailed = true;
  if (end.failed) return Interrupted(session, Stage::kPayload);
  if (writeFailed) return {Ending::kFileFailed, Stage::kPayload};
  return {};
}

}  // namespace operations
