#include "pages/common/panel_exchange.h"

#include "protocol/commands.h"

void PanelExchange::Report(std::string_view failure) {
  if (!failure.empty()) page_.ShowFailure(failure);
}

ExchangeStart PanelExchange::Start(std::string_view command) {
  switch (session_.Open()) {
    case OpenResult::kSocketNotCreated:
      Report(texts_.noSocket);
      return ExchangeStart::kNoSocket;
    case OpenResult::kNotConnected:
      Report(texts_.notConnected);
      return ExchangeStart::kFailed;
    case OpenResult::kOpen:
      break;
  }
  if (!session_.SendCommand(command)) {
    Report(texts_.lost);
    return ExchangeStart::kFailed;
  }
  return ExchangeStart::kSent;
}

bool PanelExchange::AwaitReply() {
  if (session_.ReceiveReply()) return true;
  Report(texts_.lost);
  return false;
}

bool PanelExchange::CheckReply(std::string_view expected) {
  if (session_.ReplyStartsWith(expected)) return true;
  Report(texts_.refused);
  return false;
}

bool PanelExchange::Write(std::string_view command, const BlockSender& send) {
  if (Start(command) != ExchangeStart::kSent) return false;
  if (!AwaitAcceptance(replies::kChangeAccepted)) return false;
  switch (send(session_)) {
    case BlockDelivery::kAbandoned:
      return false;
    case BlockDelivery::kCut:
      // An incomplete block is not answered; no confirmation is awaited.
      Report(texts_.blockLost);
      return false;
    case BlockDelivery::kSent:
      break;
  }
  if (!session_.ReceiveReply()) {
    Report(texts_.blockLost);
    return false;
  }
  if (!session_.ReplyStartsWith(replies::kWriteOk)) {
    Report(texts_.notWritten);
    return false;
  }
  if (!texts_.written.empty()) page_.ShowStatus(texts_.written);
  return true;
}
