#include "cli/run_context.h"

#include <algorithm>

#include <fmt/format.h>

#include "cli/progress.h"

namespace cli {

namespace {

// The details' lines, each headed by the panel; a line that cannot be
// written is no reason to fail the panel.
void TellDetails(const PanelOutcome& outcome, std::FILE* out) {
  for (const std::string& line : outcome.details) {
    const std::string text = fmt::format("{}: {}\n", AddressText(outcome.panel), line);
    std::fwrite(text.data(), 1, text.size(), out);
  }
  std::fflush(out);
}

}  // namespace

int RunOnPanels(const RunContext& context, const std::vector<PanelAddress>& panels,
                const PanelTask& task, ReportTo to) {
  std::FILE* const out = to.out ? to.out : context.report;
  Reporter reporter(out, context.form);
  const FleetWatch watch{.stop = &context.machine.Stop(),
                         .ended =
                             [&](const PanelOutcome& outcome) {
                               if (to.progress) to.progress->Clear();
                               if (!to.detailsAreOutput) {
                                 TellDetails(outcome, stderr);
                               } else if (context.form == ReportForm::kPlain) {
                                 TellDetails(outcome, out);
                               }
                               reporter.Outcome(outcome);
                             },
                         .tick =
                             [&] {
                               if (to.progress) to.progress->Redraw();
                             }};
  const std::vector<PanelOutcome> outcomes = RunFleet(panels, context.jobs, task, watch);
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
