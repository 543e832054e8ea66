// What vk38's commands share on the command line: the options every command
// takes, the PANEL arguments, and the run of the one command given. Each
// command adds itself (src/cli/commands/) with an options struct of its own
// and a callback that runs it.
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/machine.h"
#include "cli/run_context.h"

namespace cli {

// The options before or after any command.
struct GlobalOptions {
  int jobs = kDefaultJobs;
  bool json = false;
  double timeoutSeconds = std::chrono::duration<double>(protocol::kPanelProgressLimit).count();
};

// The run of the command given: the machine, the global options, and the
// exit code the command leaves.
struct Invocation {
  Machine& machine;
  GlobalOptions global{};
  int exitCode = kExitSuccess;

  RunContext Context() const;
};

// PANEL... and PANEL arguments: addresses or VK1 to VK5, checked as parsed.
CLI::Option* AddPanelsArgument(CLI::App& command, std::vector<std::string>& panels);
CLI::Option* AddPanelArgument(CLI::App& command, std::string& panel);
// The addresses of PANEL arguments that were checked as parsed, each once
// (a panel named again is noted on standard error and dropped).
std::vector<protocol::PanelAddress> Resolve(const std::vector<std::string>& texts);
protocol::PanelAddress Resolve(const std::string& text);
// A usage error unless `output` ("-": standard output) serves the panels:
// standard output takes one panel's data only.
void RequireOnePanelFor(const std::vector<protocol::PanelAddress>& panels,
                        const std::string& output);

}  // namespace cli
