// The options that table set and table diff take alike.
#pragma once

#include <CLI/CLI.hpp>

#include "commands/table/table_write_plan.h"

namespace cli {

// --yes (the page's firmware questions answered with OK) and --strict (a
// duplicate address refuses the write).
void AddTableWriteRules(CLI::App& command, TableWriteRules& rules);

}  // namespace cli
