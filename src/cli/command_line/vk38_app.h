// vk38's command line: the commands and options, and the run of the one
// given.
#pragma once

#include <CLI/CLI.hpp>

#include "command_line/invocation.h"
#include "io/machine.h"

namespace cli {

// The commands and options on `app`, each running with `invocation` once
// parsed. The man page and completions are written from the same app.
void DefineVk38(CLI::App& app, Invocation& invocation);

// Parses the arguments, runs the command on `machine` and gives the exit code.
int RunVk38(int argc, const char* const* argv, Machine& machine);

}  // namespace cli
