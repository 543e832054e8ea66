// What every vk38 command runs with: the machine, how long a panel may stay
// silent, how many panels at once, and how outcomes are reported.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "cli/machine.h"
#include "cli/report.h"
#include "protocol/panel_address_book.h"
#include "protocol/panel_link.h"

namespace cli {

// How vk38 ends: every panel succeeded, one or more failed, or a file given
// to it was refused before any panel was asked. Usage errors end with
// CLI11's own codes, 100 and above.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitPanelFailed = 1;
inline constexpr int kExitFileRefused = 2;

// How many panels are worked on at once unless --jobs says otherwise.
inline constexpr int kDefaultJobs = 8;

struct RunContext {
  Machine& machine;
  PanelWaitLimits waits{};
  int jobs = kDefaultJobs;
  ReportForm form = ReportForm::kPlain;
  bool progress = false;       // a progress line on standard error
  std::FILE* report = stdout;  // where the outcomes go
};

// One panel's link: its own address book whose current address is `panel`.
struct PanelTarget {
  PanelTarget(const RunContext& context, PanelAddress panel)
      : link{context.machine.Network(), book, context.waits} {
    book.SetCurrent(panel);
  }
  PanelTarget(const PanelTarget&) = delete;
  PanelTarget& operator=(const PanelTarget&) = delete;

  PanelAddressBook book;
  PanelLink link;
};

// Reports the outcomes on `out` (the context's report without it) and
// gives the exit code.
int Report(const RunContext& context, const std::vector<PanelOutcome>& outcomes,
           std::FILE* out = nullptr);
// Runs `task` on every panel, reports the outcomes and gives the exit code.
int RunOnPanels(const RunContext& context, const std::vector<PanelAddress>& panels,
                const PanelTask& task, std::FILE* out = nullptr);

}  // namespace cli
