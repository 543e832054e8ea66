#include "cli/run_context.h"

namespace cli {

int RunOnPanels(const RunContext& context, const std::vector<PanelAddress>& panels,
                const PanelTask& task, std::FILE* out) {
  return Report(context, RunFleet(panels, context.jobs, task), out);
}

int Report(const RunContext& context, const std::vector<PanelOutcome>& outcomes, std::FILE* out) {
  PrintOutcomes(out ? out : context.report, outcomes, context.form);
  return AllSucceeded(outcomes) ? kExitSuccess : kExitPanelFailed;
}

}  // namespace cli
