#include "run/outcome_cause.h"

#include <fmt/format.h>

#include "protocol/panel_wire.h"

namespace cli {

namespace {

using operations::Ending;
using operations::Flaw;
using operations::Outcome;
using operations::Stage;

// "while ..." for the step at `stage`.
std::string During(Stage stage, const ExchangeTerms& terms) {
  switch (stage) {
    case Stage::kConnect:
      return "while connecting";
    case Stage::kCommand:
      return "while the command went out";
    case Stage::kAcceptance:
      return "while waiting for the panel to accept the command";
    case Stage::kPayload:
      return fmt::format("while the {} {}", terms.payload,
                         terms.payloadComesIn ? "came in" : "went out");
    case Stage::kReceipt:
      return fmt::format("while waiting for the panel to confirm the {} came whole", terms.payload);
    case Stage::kVerdict:
      return fmt::format("while waiting for the panel's verdict on the {}", terms.payload);
  }
  return {};
}

std::string Answered(const std::string& reply) {
  return reply.empty() ? "it answered nothing" : fmt::format("it answered \"{}\"", reply);
}

std::string FlawOf(Flaw flaw, const ExchangeTerms& terms) {
  switch (flaw) {
    case Flaw::kEmpty:
      return fmt::format("the panel sent no {}", terms.payload);
    case Flaw::kShort:
      return fmt::format("the panel's {} was cut short (a whole one has {} bytes)", terms.payload,
                         terms.recordSize);
    case Flaw::kLong:
      return terms.recordSize > 0
                 ? fmt::format("the panel's {} was longer than the {} bytes of one", terms.payload,
                               terms.recordSize)
                 : fmt::format("the panel's {} was longer than {} bytes; it was not kept",
                               terms.payload, protocol::kPanelBlockSize);
    case Flaw::kBadSum:
      return fmt::format("the bytes of the panel's {} do not add up to zero (a bad sum)",
                         terms.payload);
    case Flaw::kNone:
      break;
  }
  return fmt::format("the panel's {} cannot be used", terms.payload);
}

}  // namespace

std::string Duration(std::chrono::milliseconds duration) {
  const double seconds = std::chrono::duration<double>(duration).count();
  if (seconds >= 60 && static_cast<long long>(seconds) % 60 == 0) {
    return fmt::format("{} min", static_cast<long long>(seconds) / 60);
  }
  return fmt::format("{:g} s", seconds);
}

std::string CauseOf(const Outcome& outcome, const ExchangeTerms& terms) {
  const bool verdict = outcome.stage == Stage::kReceipt || outcome.stage == Stage::kVerdict;
  switch (outcome.ending) {
    case Ending::kDone:
      return {};
    case Ending::kNoSocket:
      return "no socket could be made on this machine";
    case Ending::kNotConnected:
      return fmt::format(
          "the panel did not take the connection: nothing listens there, or no answer "
          "within {}",
          Duration(terms.limit));
    case Ending::kSilent:
      return fmt::format("no answer within {} {}",
                         Duration(verdict ? terms.verdictLimit : terms.limit),
                         During(outcome.stage, terms));
    case Ending::kOverdue:
      return fmt::format("the time in all ran out {} ({})", During(outcome.stage, terms),
                         terms.overdue);
    case Ending::kBroken:
      return fmt::format("the connection broke {}", During(outcome.stage, terms));
    case Ending::kRefused:
      return "the panel refused the command: " + Answered(outcome.reply);
    case Ending::kBlockCut:
      return fmt::format("the {} did not go out whole: the connection failed while it was sent",
                         terms.payload);
    case Ending::kNotWritten:
      return fmt::format("the panel did not take the {}: {}", terms.payload,
                         Answered(outcome.reply));
    case Ending::kBadData:
      return FlawOf(outcome.flaw, terms);
    case Ending::kNoFile:
      return "the local file could not be opened";
    case Ending::kFileFailed:
      return "the local file could not be read or written to its end";
  }
  return {};
}

}  // namespace cli
