// vk38's commands, each in a file of its own under src/cli/commands/: it
// adds itself to its parent on the command line, with its options and the
// callback that runs it and leaves its exit code (run_context.h) in the
// invocation.
#pragma once

#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "command_line/invocation.h"
#include "commands/table/table_write_plan.h"

namespace cli {

void AddTableGet(CLI::App& table, Invocation& invocation);
void AddTableSet(CLI::App& table, Invocation& invocation);
void AddTableDiff(CLI::App& table, Invocation& invocation);
void AddSetupBackup(CLI::App& setup, Invocation& invocation);
void AddSetupRestore(CLI::App& setup, Invocation& invocation);
void AddLog(CLI::App& app, Invocation& invocation);
void AddAuthSet(CLI::App& auth, Invocation& invocation);
void AddUpgrade(CLI::App& app, Invocation& invocation);

// --yes and --strict, which table set and table diff take alike.
void AddTableWriteRules(CLI::App& command, TableWriteRules& rules);
// table diff's run, which table set --dry-run shares: exit 0 when no panel
// would change, 1 when one would, 2 for trouble (the file refused, a panel
// not read).
int TableDiff(const RunContext& context, const std::vector<Panel>& panels, const std::string& file,
              TableWriteRules rules);

// setup backup's run itself, for the fleet benchmark: every panel's setup
// block into `folder`.
int SetupBackup(const RunContext& context, const std::vector<Panel>& panels,
                const std::string& folder);

}  // namespace cli
