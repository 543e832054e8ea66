#include "operations/firmware.h"

#include "exchange.h"
#include "protocol/commands.h"

namespace operations {

namespace {

// Every reply after an image may take the panel's flash write.
constexpr ReplyWait kAfterImage = ReplyWait::kFlashWrite;

// The panel's verdict on an image that went out whole.
Outcome AwaitImageVerdict(CPanelSession& session, Image image) {
  if (image == Image::kProgram) {
    Outcome receipt = AwaitVerdict(session, replies::kFileOk, Stage::kReceipt, kAfterImage);
    if (!receipt.Done()) return receipt;
  }
  // The line before the verdict is not examined.
  if (!session.ReceiveReply(kAfterImage)) return Interrupted(session, Stage::kVerdict);
  return AwaitVerdict(session, replies::kWriteOk, Stage::kVerdict, kAfterImage);
}

}  // namespace

Outcome SendImage(const PanelLink& link, Image image, const OpenSource& open,
                  const Progress& progress) {
  CPanelSession session(link);
  const std::string_view command =
      image == Image::kProgram ? commands::kProgramUpgradeStart : commands::kFpgaUpgradeStart;
  if (Step failed = Start(session, command)) return *failed;
  if (Step failed = ExpectAcceptance(session, replies::kUpgradeAccepted)) return *failed;
  if (Step failed = FileSender(open, progress)(session)) return *failed;
  return AwaitImageVerdict(session, image);
}

}  // namespace operations
