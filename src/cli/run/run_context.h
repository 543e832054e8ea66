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

#include "io/machine.h"
#include "panels/panel_names.h"
#include "protocol/panel_wait_limits.h"
#include "run/report.h"
#include "run/stages.h"

namespace cli {

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
  // The canaries and the bound on failures (--canary, --max-fail).
  FleetStages stages{};
  // Where the panels that did not succeed are listed as an inventory
  // (--failed); none: nowhere.
  std::optional<std::string> failedFile{};

  // True once the program was asked to end.
  bool Stopped() const { return machine.Stop().Triggered(); }
  bool Pause(std::chrono::milliseconds duration) const {
    return pause ? pause(duration) : machine.Stop().SleepFor(duration);
  }
};

}  // namespace cli
