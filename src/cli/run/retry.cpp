#include "run/retry.h"

#include <algorithm>

#include <fmt/format.h>

#include "run/outcome_cause.h"
#include "run/try_watch.h"

namespace cli {

namespace {

constexpr std::chrono::milliseconds kFirstPause = std::chrono::seconds(1);
constexpr int kLongestPauseDoublings = 4;  // 16 s

std::string RetryNote(const Panel& panel, const PanelOutcome& failed,
                      std::chrono::milliseconds pause, int retry, int retries) {
  std::string note = fmt::format("vk38: {}: {}", PanelText(panel), failed.message);
  if (!failed.cause.empty()) note += " - " + failed.cause;
  return note + fmt::format("; trying again in {} ({} of {})", Duration(pause), retry, retries);
}

}  // namespace

bool MayRetry(const operations::Outcome& outcome, const ExchangeTerms& terms) {
  using operations::Ending;
  if (terms.payloadComesIn) {
    return outcome.ending == Ending::kNotConnected || outcome.ending == Ending::kSilent ||
           outcome.ending == Ending::kBroken ||
           (outcome.ending == Ending::kBadData && outcome.flaw == operations::Flaw::kEmpty);
  }
  return outcome.stage == operations::Stage::kConnect && outcome.ending == Ending::kNotConnected;
}

std::chrono::milliseconds RetryPauseBefore(int retry) {
  return kFirstPause * (1 << std::clamp(retry - 1, 0, kLongestPauseDoublings));
}

PanelOutcome TryPanel(const RunContext& context, const Panel& panel, const TargetTask& task,
                      NoteLines& lines) {
  const bool verbose = context.verbosity == Verbosity::kVerbose;
  using Clock = std::chrono::steady_clock;
  std::optional<Clock::time_point> deadline;
  if (context.maxTime) {
    deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(*context.maxTime);
  }
  for (int retry = 1;; ++retry) {
    TryWatch watch(panel, verbose ? &lines : nullptr);
    PanelTarget target(context, panel, &watch, deadline);
    PanelOutcome outcome = task(target);
    const bool again = retry <= context.retries && outcome.mayRetry && !watch.ChangeSent();
    if (!again || context.Stopped()) return outcome;
    // A try again that could not be over in time is not begun.
    if (deadline && Clock::now() + RetryPauseBefore(retry) >= *deadline) return outcome;
    const std::chrono::milliseconds pause = RetryPauseBefore(retry);
    if (context.verbosity != Verbosity::kQuiet) {
      lines.Print(RetryNote(panel, outcome, pause, retry, context.retries));
    }
    if (!context.Pause(pause)) return outcome;
  }
}

}  // namespace cli
