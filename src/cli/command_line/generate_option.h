// vk38 --generate FORMAT: the man page or a shell's completion, written
// from the command line it is given on and printed to standard output. It
// is hidden from --help: it is for the build and for packagers.
#pragma once

#include <CLI/CLI.hpp>

namespace cli {

// Adds the option to `app`; given, it prints and ends the parse (exit code
// 0, or 1 when standard output could not take the text).
void AddGenerateOption(CLI::App& app);

}  // namespace cli
