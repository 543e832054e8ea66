#include "run/run_on_panels.h"

#include <algorithm>

#include <fmt/format.h>

#include "io/note_lines.h"
#include "io/progress.h"
#include "run/failed_panels.h"
#include "run/fleet.h"
#include "run/retry.h"

namespace cli {

namespace {

// The details, every line headed by the panel (a page's text of several
// lines too), so that the lines of a fleet can be told apart; a line that
// cannot be written is no reason to fail the panel.
void TellDetails(const PanelOutcome& outcome, std::FILE* out) {
  const std::string head = PanelText({outcome.panel, outcome.name}) + ": ";
  std::string text;
  for (const std::string& detail : outcome.details) {
    for (std::size_t at = 0; at <= detail.size();) {
      const std::size_t end = std::min(detail.find('\n', at), detail.size());
      text += head + OneLine(detail.substr(at, end - at)) + "\n";
      at = end + 1;
    }
  }
  std::fwrite(text.data(), 1, text.size(), out);
  std::fflush(out);
}

// The details that are errors (a duplicate or unusable address), which even
// --quiet tells.
PanelOutcome ErrorsOnly(const PanelOutcome& outcome) {
  PanelOutcome errors = outcome;
  std::erase_if(errors.details,
                [](const std::string& detail) { return !detail.starts_with("error: "); });
  return errors;
}

// A panel of a command that changes panels holds no change unless its
// exchange said otherwise.
PanelOutcome Settled(PanelOutcome outcome, const ReportTo& to) {
  if (to.changesPanels && !outcome.changed) outcome.changed = Change::kNo;
  return outcome;
}

}  // namespace

int RunOnPanels(const RunContext& context, const std::vector<Panel>& panels, const TargetTask& task,
                ReportTo to) {
  std::FILE* const out = to.out ? to.out : context.report;
  const bool quiet = context.verbosity == Verbosity::kQuiet;
  // --quiet drops notes and progress, never results: JSON keeps every outcome.
  Reporter reporter(out, context.form, quiet && context.form == ReportForm::kPlain);
  NoteLines lines(to.progress);
  const FleetWatch watch{
      .stop = &context.machine.Stop(),
      .ended =
          [&](const PanelOutcome& ended) {
            const PanelOutcome outcome = Settled(ended, to);
            if (to.progress) to.progress->Clear();
            if (!to.detailsAreOutput) {
              // --quiet keeps a write's notices for a failed
              // panel, and its errors for every panel.
              TellDetails(!quiet || !outcome.Ok() ? outcome : ErrorsOnly(outcome), stderr);
            } else if (context.form == ReportForm::kPlain) {
              TellDetails(outcome, out);
            }
            reporter.Outcome(outcome);
          },
      .tick =
          [&] {
            if (to.progress) to.progress->Redraw();
          }};
  std::vector<PanelOutcome> outcomes = RunFleet(
      panels, context.jobs,
      [&](const Panel& panel) { return TryPanel(context, panel, task, lines); }, watch,
      context.stages);
  for (PanelOutcome& outcome : outcomes) outcome = Settled(std::move(outcome), to);
  if (to.progress) to.progress->Clear();
  reporter.Summary(outcomes);
  if (!reporter.Written()) {
    fmt::print(stderr, "vk38: the outcomes could not all be written\n");
  }
  // A stopped run lists its failed and interrupted panels too, for the rerun.
  const bool listed = !context.failedFile ||
                      KeepFailedPanels(context.machine.Files(), *context.failedFile, outcomes);
  if (context.Stopped()) return kExitStopped;
  const bool allOk = std::all_of(outcomes.begin(), outcomes.end(),
                                 [](const PanelOutcome& outcome) { return outcome.Ok(); });
  return allOk && reporter.Written() && listed ? kExitSuccess : kExitPanelFailed;
}

}  // namespace cli
