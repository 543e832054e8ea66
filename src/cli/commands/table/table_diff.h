// table diff's run, which table set --dry-run shares.
#pragma once

#include <string>
#include <vector>

#include "commands/table/table_write_plan.h"
#include "panels/panel_names.h"
#include "run/run_context.h"

namespace cli {

// What the table file `file` would change on each panel: exit 0 when no
// panel would change, 1 when one would, 2 for trouble (the file refused, a
// panel not read), 130 when stopped.
int TableDiff(const RunContext& context, const std::vector<Panel>& panels, const std::string& file,
              TableWriteRules rules);

}  // namespace cli
