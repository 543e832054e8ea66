#include "operations/firmware.h"

#include "exchange.h"
#include "protocol/commands.h"

namespace operations {

namespace {

// Every reply after an image may take the panel's flash write.
constexpr ReplyWait kAfterImage = ReplyWait::kFlashWrite;

// The panel's verdict on an image that went out whole.
Outcome AwaitVerdict(CPanelSession& session, Image image) {
  if (image == Image::kProgram) {
    if (!session.ReceiveReply(kAfterImage)) return Interrupted(session, Stage::kReceipt);
    if (!session.ReplyStartsWith(replies::kFileOk)) return {Ending::kNotWritten, Stage::kReceipt};
  }
  // The line before the verdict is not examined.
  if (!session.ReceiveReply(kAfterImage) || !session.ReceiveReply(kAfterImage)) {
    return Interrupted(session, Stage::kVerdict);
  }
  if (!session.ReplyStartsWith(replies::kWriteOk)) return {Ending::kNotWritten, Stage::kVerdict};
  return {Ending::kDone, Stage::kVerdict};
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
  return AwaitVerdict(session, image);
}

}  // namespace operations
