#include "operations/firmware.h"

#include "exchange.h"
#include "platform/memory_file.h"
#include "protocol/commands.h"

namespace operations {

namespace {

// Every reply after an image may take the panel's flash write.
constexpr protocol::ReplyWait kAfterImage = protocol::ReplyWait::kFlashWrite;

// The panel's verdict on an image that went out whole.
Outcome AwaitImageVerdict(protocol::CPanelSession& session, Image image) {
  if (image == Image::kProgram) {
    Outcome receipt =
        AwaitVerdict(session, protocol::replies::kFileOk, Stage::kReceipt, kAfterImage);
    if (!receipt.Done()) return receipt;
  }
  // The line before the verdict is not examined.
  if (!session.ReceiveReply(kAfterImage)) return Interrupted(session, Stage::kVerdict);
  return AwaitVerdict(session, protocol::replies::kWriteOk, Stage::kVerdict, kAfterImage);
}

}  // namespace

Outcome SendImage(const protocol::PanelLink& link, Image image, const OpenSource& open,
                  const Progress& progress) {
  protocol::CPanelSession session(link, protocol::SessionExtent::kStream);
  const std::string_view command = image == Image::kProgram
                                       ? protocol::commands::kProgramUpgradeStart
                                       : protocol::commands::kFpgaUpgradeStart;
  if (Step failed = Start(session, command)) return *failed;
  if (Step failed = ExpectAcceptance(session, protocol::replies::kUpgradeAccepted)) return *failed;
  if (Step failed = FileSender(open, progress)(session)) return *failed;
  return AwaitImageVerdict(session, image);
}

Outcome SendImage(const protocol::PanelLink& link, Image image, std::span<const std::uint8_t> bytes,
                  const Progress& progress) {
  return SendImage(
      link, image, [bytes] { return platform::ReaderOf(bytes); }, progress);
}

}  // namespace operations
