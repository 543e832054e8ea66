// What every vk38 command runs with: the machine, how long a panel may stay
// silent, how many panels at once, how often a panel is tried again, and
// how outcomes are reported.
#pragma once

#include <chrono>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "cli/fleet.h"
#include "cli/machine.h"
#include "cli/panel_names.h"
#include "cli/report.h"
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

// What a run prints besides its data: failures and the summary only
// (--quiet), every outcome (the default), or also each step of every
// exchange on standard error (--verbose).
enum class Verbosity { kQuiet, kNormal, kVerbose };

// Waits `duration` before a panel is tried again; false when the run was
// asked to end meanwhile.
using RetryPause = std::function<bool(std::chrono::milliseconds duration)>;

struct RunContext {
  Machine& machine;
  protocol::PanelWaitLimits waits{};
  int jobs = kDefaultJobs;
  ReportForm form = ReportForm::kPlain;
  bool progress = false;       // a progress line on standard error
  std::FILE* report = stdout;  // where the outcomes go
  Verbosity verbosity = Verbosity::kNormal;
  // How often a panel the network failed is tried again (retry.h).
  int retries = 0;
  // The wait before each try again; without one, a sleep that Ctrl-C ends.
  RetryPause pause{};
  // How long all of one panel's work may take, tries again included
  // (--max-time); none: no bound but the waits.
  std::optional<std::chrono::milliseconds> maxTime{};

  // True once the program was asked to end.
  bool Stopped() const { return machine.Stop().Triggered(); }
  bool Pause(std::chrono::milliseconds duration) const {
    return pause ? pause(duration) : machine.Stop().SleepFor(duration);
  }
};

// One try at one panel: the panel, and a link of its own to the panel's
// address, whose sessions end by the panel's `deadline` (--max-time), and
// tell `observer` their steps.
struct PanelTarget {
  PanelTarget(const RunContext& context, Panel panel, protocol::SessionObserver* observer = nullptr,
              std::optional<std::chrono::steady_clock::time_point> deadline = std::nullopt)
      : panel(std::move(panel)),
        link{context.machine.Network(), this->panel.address, context.waits, observer} {
    link.waits.deadline = deadline;
  }
  PanelTarget(const PanelTarget&) = delete;
  PanelTarget& operator=(const PanelTarget&) = delete;

  Panel panel;
  protocol::PanelLink link;
};

// A command's work on one panel, through the panel's target.
using TargetTask = std::function<PanelOutcome(PanelTarget& target)>;

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

// Runs `task` on every panel, tries a panel again as the context's retries
// allow (retry.h), reports each outcome (after its details, each line headed
// by the panel) as its panel ends and then the summary, and gives the exit
// code. With Verbosity::kVerbose every step of every exchange is traced on
// standard error.
int RunOnPanels(const RunContext& context, const std::vector<Panel>& panels, const TargetTask& task,
                ReportTo to = {});

}  // namespace cli
