// What vk38's commands share on the command line: the options every command
// takes, the PANEL arguments, and the run of the one command given. Each
// command adds itself (src/cli/commands/) with an options struct of its own
// and a callback that runs it.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "io/machine.h"
#include "panels/panel_names.h"
#include "run/exit_codes.h"
#include "run/run_context.h"

namespace cli {

// The options before or after any command.
struct GlobalOptions {
  int jobs = kDefaultJobs;
  bool json = false;
  double timeoutSeconds = std::chrono::duration<double>(protocol::kPanelProgressLimit).count();
  std::optional<double> maxTimeSeconds{};
  int retries = 0;
  bool quiet = false;
  bool verbose = false;
  int canary = 0;  // 0: no first stage
  std::optional<int> maxFail{};
  std::optional<std::string> failedFile{};
};

// The run of the command given: the machine, the global options, and the
// exit code the command leaves.
struct Invocation {
  Machine& machine;
  GlobalOptions global{};
  int exitCode = kExitSuccess;

  RunContext Context() const;

  // The panels that PANEL... arguments list, inventories (@FILE) included,
  // each once (a panel listed again is noted on standard error, except
  // with --quiet, and dropped). Nothing when an inventory cannot be read
  // or is refused: that is told on standard error, and the exit code is
  // kExitFileRefused.
  std::optional<std::vector<Panel>> Panels(const std::vector<std::string>& texts);
};

// PANEL...: addresses or VK1 to VK5, checked as parsed, and @FILE, an
// inventory read once the command runs.
CLI::Option* AddPanelsArgument(CLI::App& command, std::vector<std::string>& panels);

}  // namespace cli
