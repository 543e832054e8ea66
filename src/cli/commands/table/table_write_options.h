// The options that table set and table diff take alike.
#pragma once

#include <optional>
#include <string>

#include <CLI/CLI.hpp>

#include "commands/table/table_write_plan.h"

namespace cli {

// --yes (the page's firmware questions answered with OK) and --strict (a
// duplicate address refuses the write).
void AddTableWriteRules(CLI::App& command, TableWriteRules& rules);

// --plan FILE: what would be written to each panel, kept as a plan for
// table set --plan.
CLI::Option* AddPlanOption(CLI::App& command, std::optional<std::string>& plan);

}  // namespace cli
