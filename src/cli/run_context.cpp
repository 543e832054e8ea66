#include "cli/run_context.h"

#include <algorithm>

#include <fmt/format.h>

#include "cli/error_lines.h"
#include "cli/progress.h"
#include "cli/retry.h"

namespace cli {

int RunOnPanels(const RunContext& context, const std::vector<Panel>& panels, const TargetTask& task,
                ReportTo to) {
  Reporter reporter(to.out ? to.out : context.report, context.form,
                    context.verbosity == Verbosity::kQuiet);
  ErrorLines lines(to.progress);
  const FleetWatch watch{.stop = &context.machine.Stop(),
                         .ended =
                             [&](const PanelOutcome& outcome) {
                               if (to.progress) to.progress->Clear();
                               reporter.Outcome(outcome);
                             },
                         .tick =
                             [&] {
                               if (to.progress) to.progress->Redraw();
                             }};
  const std::vector<PanelOutcome> outcomes = RunFleet(
      panels, context.jobs,
      [&](const Panel& panel) { return TryPanel(context, panel, task, lines); }, watch);
  if (to.progress) to.progress->Clear();
  reporter.Summary(outcomes);
  if (!reporter.Written()) {
    fmt::print(stderr, "vk38: the outcomes could not all be written\n");
  }
  if (context.Stopped()) return kExitStopped;
  const bool allOk = std::all_of(outcomes.begin(), outcomes.end(),
                                 [](const PanelOutcome& outcome) { return outcome.Ok(); });
  return allOk && reporter.Written() ? kExitSuccess : kExitPanelFailed;
}

}  // namespace cli
