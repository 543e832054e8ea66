// The run of one command over many panels: each panel worked on as the
// context allows (jobs, tries again, --max-time), each outcome reported as
// its panel ends, then the summary and the exit code.
#pragma once

#include <cstdio>
#include <vector>

#include "panels/panel_names.h"
#include "run/exit_codes.h"
#include "run/panel_target.h"
#include "run/run_context.h"

namespace cli {

class ProgressLine;

// Where the lines of a run go besides the context's report.
struct ReportTo {
  std::FILE* out = nullptr;          // the outcomes, when not the context's report
  ProgressLine* progress = nullptr;  // a progress line to keep clear of the outcomes
  // A panel's details (PanelOutcome::details) go to standard error, or,
  // when they are the command's output (table diff), before the outcome
  // line in plain form; --json carries them in the outcome's object.
  bool detailsAreOutput = false;
  // The command changes panels: every outcome says whether its panel may
  // hold the change (PanelOutcome::changed; no where nothing went out).
  bool changesPanels = false;
};

// Runs `task` on every panel in the context's stages (stages.h), tries a
// panel again as the context's retries allow (retry.h), reports each
// outcome (after its details, each line headed by the panel) as its panel
// ends and then the summary, lists the panels that did not succeed where
// the context says (failed_panels.h), and gives the exit code. With
// Verbosity::kVerbose every step of every exchange is traced on standard
// error.
int RunOnPanels(const RunContext& context, const std::vector<Panel>& panels, const TargetTask& task,
                ReportTo to = {});

}  // namespace cli
