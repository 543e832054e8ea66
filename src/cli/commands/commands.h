// vk38's commands, each in a folder of its own under src/cli/commands/: a
// command adds itself to its parent on the command line, with its options
// and its work on the panels (command_line/panel_work.h), which leaves the
// exit code (run/exit_codes.h) in the invocation.
#pragma once

#include <CLI/CLI.hpp>

#include "command_line/invocation.h"

namespace cli {

void AddTableGet(CLI::App& table, Invocation& invocation);
void AddTableSet(CLI::App& table, Invocation& invocation);
void AddTableDiff(CLI::App& table, Invocation& invocation);
void AddTableAssign(CLI::App& table, Invocation& invocation);
void AddTableClear(CLI::App& table, Invocation& invocation);
void AddSetupBackup(CLI::App& setup, Invocation& invocation);
void AddSetupRestore(CLI::App& setup, Invocation& invocation);
void AddLog(CLI::App& app, Invocation& invocation);
void AddAuthSet(CLI::App& auth, Invocation& invocation);
void AddUpgrade(CLI::App& app, Invocation& invocation);
void AddScan(CLI::App& app, Invocation& invocation);

}  // namespace cli
