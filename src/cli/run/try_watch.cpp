#include "run/try_watch.h"

#include <fmt/format.h>

namespace cli {

namespace {

std::string EndText(protocol::WaitEnd end) {
  switch (end) {
    case protocol::WaitEnd::kClosed:
      return "the panel closed the connection";
    case protocol::WaitEnd::kSilent:
      return "no answer within the wait";
    case protocol::WaitEnd::kOverdue:
      return "the exchange's time in all ran out";
    case protocol::WaitEnd::kBroken:
      break;
  }
  return "the connection broke";
}

}  // namespace

std::string StepText(const protocol::SessionStep& step) {
  using Kind = protocol::SessionStep::Kind;
  switch (step.kind) {
    case Kind::kConnected:
      return "connected";
    case Kind::kNotConnected:
      return "no connection";
    case Kind::kCommand:
      return fmt::format("> {}", step.text);
    case Kind::kReply:
      return fmt::format("< {}", step.text);
    case Kind::kBlockSent:
      return fmt::format("> {} bytes", step.bytes);
    case Kind::kBlockReceived:
      return fmt::format("< {} bytes", step.bytes);
    case Kind::kEnded:
      break;
  }
  return EndText(step.end);
}

void TryWatch::Step(const protocol::SessionStep& step) {
  if (step.kind == protocol::SessionStep::Kind::kCommand && step.changesPanel) changeSent_ = true;
  if (trace_) trace_->Print(fmt::format("{}: {}", PanelText(panel_), StepText(step)));
}

}  // namespace cli
