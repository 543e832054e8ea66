// What every command that works on panels does when it runs: its PANEL...
// arguments are read (inventories too, each panel once), and its work runs
// on them with the invocation's context and leaves the exit code.
#pragma once

#include <functional>
#include <vector>

#include <CLI/CLI.hpp>

#include "command_line/invocation.h"
#include "panels/panel_names.h"
#include "run/run_context.h"

namespace cli {

// A command's work once its panels are known; gives the exit code.
using PanelWork = std::function<int(const RunContext& context, const std::vector<Panel>& panels)>;

// Adds PANEL... to `command` and makes its callback run `work` on the panels
// they list. When an inventory is refused, `work` does not run:
// Invocation::Panels told why and left the exit code. A command that may
// name its panels otherwise (table set --plan) makes PANEL... optional on
// the option given back; `work` then gets no panels when none is given.
CLI::Option* AddPanelWork(CLI::App& command, Invocation& invocation, PanelWork work);

}  // namespace cli
