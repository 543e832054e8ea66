// table diff's run, which table set --dry-run, table assign --dry-run and
// table clear --dry-run share: what each panel would be written, told as
// changes, and with --plan kept in a plan file.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "commands/table/table_write_plan.h"
#include "panels/panel_names.h"
#include "run/panel_target.h"
#include "run/run_context.h"

namespace cli {

// What a command would write to one panel, made from the table just read
// from it; `outcome` is the read's, which the maker may add to (the file it
// saved). Nothing, with the failure in `outcome`, when it cannot be made
// (an exchange or a file of the command's own failed).
using PlanMaker = std::function<std::optional<TableWritePlan>(
    PanelTarget& target, const protocol::IpSettingRecord& read, PanelOutcome& outcome)>;

struct DiffRun {
  std::string_view command;               // "table diff", "table clear", ...: the plan's maker
  std::optional<std::string> planFile{};  // --plan
};

// Reads each panel and tells what `make` would write to it, as table diff
// tells it; with a plan file, saves the plan once every panel was planned.
// Exit 0 when no panel would change, 1 when one would, 2 for trouble (a
// panel not read or planned, the plan not saved), 130 when stopped.
int DiffPanels(const RunContext& context, const std::vector<Panel>& panels, const PlanMaker& make,
               const DiffRun& run);

// What the table file `file` would change on each panel (DiffPanels).
int TableDiff(const RunContext& context, const std::vector<Panel>& panels, const std::string& file,
              TableWriteRules rules, const std::optional<std::string>& planFile = std::nullopt);

}  // namespace cli
