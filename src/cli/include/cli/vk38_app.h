// vk38's command line: the commands and options, and the run of the one
// given.
#pragma once

#include "cli/machine.h"

namespace cli {

// Parses the arguments, runs the command on `machine` and gives the exit code.
int RunVk38(int argc, const char* const* argv, Machine& machine);

}  // namespace cli
