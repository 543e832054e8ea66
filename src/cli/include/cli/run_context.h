// What every vk38 command runs with: the machine, how long a panel may stay
// silent, how many panels at once, and how outcomes are reported.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "cli/fleet.h"
#include "cli/machine.h"
#include "cli/report.h"
#include "protocol/panel_address_book.h"
#include "protocol/panel_link.h"

namespace cli {

class ProgressLine;

// How vk38 ends: every panel succeeded, one or more failed, a file given to
// it was refused before any panel was asked, or it was stopped (Ctrl-C,
// SIGTERM: 128 + SIGINT, as shells count). Usage errors end with CLI11's own
// codes, 100 and above.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitPanelFailed = 1;
inline constexpr int kExitFileRefused = 2;
inline constexpr int kExitStopped = 130;

// How many panels are worked on at once unless --jobs says otherwise.
inline constexpr int kDefaultJobs = 8;

struct RunContext {
  Machine& machine;
  protocol::PanelWaitLimits waits{};
  int jobs = kDefaultJobs;
  ReportForm form = ReportForm::kPlain;
  bool progress = false;       // a progress line on standard error
  std::FILE* report = stdout;  // where the outcomes go

  // True once the program was asked to end.
  bool Stopped() const { return machine.Stop().Triggered(); }
};

// One panel's link: its own address book whose current address is `panel`.
struct PanelTarget {
  PanelTarget(const RunContext& context, protocol::PanelAddress panel)
      : link{context.machine.Network(), book, context.waits} {
    book.SetCurrent(panel);
  }
  PanelTarget(const PanelTarget&) = delete;
  PanelTarget& operator=(const PanelTarget&) = delete;

  protocol::PanelAddressBook book;
  protocol::PanelLink link;
};

// Where the lines of a run go besides the context's report.
struct ReportTo {
  std::FILE* out = nullptr;          // the outcomes, when not the context's report
  ProgressLine* progress = nullptr;  // a progress line to keep clear of the outcomes
  // A panel's details (PanelOutcome::details) go to standard error, or,
  // when they are the command's output (table diff), before the outcome
  // line in plain form; --json carries them in the outcome's object.
  bool detailsAreOutput = false;
};

// Runs `task` on every panel, reports each outcome (after its details,
// each line headed by the panel) as its panel ends and then the summary,
// and gives the exit code.
int RunOnPanels(const RunContext& context, const std::vector<protocol::PanelAddress>& panels,
                const PanelTask& task, ReportTo to = {});

}  // namespace cli
