#include "exchange.h"

#include "protocol/commands.h"

namespace operations {

Outcome Interrupted(const protocol::CPanelSession& session, Stage stage) {
  switch (session.LastWaitEnd()) {
    case protocol::WaitEnd::kSilent:
      return {Ending::kSilent, stage};
    case protocol::WaitEnd::kOverdue:
      return {Ending::kOverdue, stage};
    case protocol::WaitEnd::kClosed:
    case protocol::WaitEnd::kBroken:
      break;
  }
  return {Ending::kBroken, stage};
}

Step Start(protocol::CPanelSession& session, std::string_view command) {
  switch (session.Open()) {
    case protocol::OpenResult::kSocketNotCreated:
      return Outcome{Ending::kNoSocket, Stage::kConnect};
    case protocol::OpenResult::kNotConnected:
      if (session.LastWaitEnd() == protocol::WaitEnd::kOverdue) {
        return Outcome{Ending::kOverdue, Stage::kConnect};
      }
      return Outcome{Ending::kNotConnected, Stage::kConnect};
    case protocol::OpenResult::kOpen:
      break;
  }
  if (!session.SendCommand(command)) return Interrupted(session, Stage::kCommand);
  return std::nullopt;
}

Step ExpectAcceptance(protocol::CPanelSession& session, std::string_view expected) {
  const std::optional<std::size_t> got = session.ReceiveReply();
  if (!got) return Interrupted(session, Stage::kAcceptance);
  if (!session.ReplyStartsWith(expected)) {
    return Outcome{Ending::kRefused, Stage::kAcceptance, Flaw::kNone, session.ReplyText(*got)};
  }
  return std::nullopt;
}

Outcome AwaitVerdict(protocol::CPanelSession& session, std::string_view success, Stage stage,
                     protocol::ReplyWait wait) {
  const std::optional<std::size_t> got = session.ReceiveReply(wait);
  if (!got) return Interrupted(session, stage);
  if (!session.ReplyStartsWith(success)) {
    return {Ending::kNotWritten, stage, Flaw::kNone, session.ReplyText(*got)};
  }
  return {Ending::kDone, stage};
}

Step ReceiveBlock(protocol::CPanelSession& session, std::span<const std::uint8_t>& received) {
  const std::optional<std::size_t> count = session.ReceiveUntilClosed();
  if (!count) return Interrupted(session, Stage::kPayload);
  received = session.ReplyBuffer().first(*count);
  return std::nullopt;
}

BlockSender BytesSender(std::span<const std::uint8_t> bytes) {
  return [bytes](protocol::CPanelSession& session) -> Step {
    if (session.SendAll(bytes)) return std::nullopt;
    return Outcome{Ending::kBlockCut, Stage::kPayload};
  };
}

BlockSender FileSender(const std::function<std::unique_ptr<platform::ReadableFile>()>& open,
                       const protocol::CPanelSession::Progress& progress) {
  return [open, progress](protocol::CPanelSession& session) -> Step {
    const std::unique_ptr<platform::ReadableFile> file = open();
    if (!file) return Outcome{Ending::kNoFile, Stage::kPayload};
    switch (session.SendFile(*file, progress)) {
      case protocol::FileSend::kWhole:
        return std::nullopt;
      case protocol::FileSend::kReadFailed:
        return Outcome{Ending::kFileFailed, Stage::kPayload};
      case protocol::FileSend::kSendFailed:
        break;
    }
    return Outcome{Ending::kBlockCut, Stage::kPayload};
  };
}

Outcome Write(const protocol::PanelLink& link, std::string_view command, const BlockSender& send) {
  protocol::CPanelSession session(link);
  if (Step failed = Start(session, command)) return *failed;
  if (Step failed = ExpectAcceptance(session, protocol::replies::kChangeAccepted)) return *failed;
  if (Step failed = send(session)) return *failed;
  return AwaitVerdict(session, protocol::replies::kWriteOk, Stage::kVerdict);
}

}  // namespace operations
