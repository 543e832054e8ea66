// A mistyped command (vk38 tabel get VK1) named as such, with the command
// it is nearest to, rather than CLI11's "A subcommand is required".
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <CLI/CLI.hpp>

namespace cli {

// The command of `candidates` that `word` is nearest to when few enough
// letters differ, or neighbours are swapped, for it to be a slip of the
// fingers (at most 2, and less than half the word); none otherwise.
std::optional<std::string> NearestCommand(std::string_view word,
                                          const std::vector<std::string>& candidates);

// Walks the arguments after the program name as the parse does: options
// (with the values they take) are passed over, each word that names a
// command of the command reached so far goes down to it. The first other
// word where a command is required is the unknown command; told as
// `vk38: unknown command "tabel"; did you mean "table"?` (or with the
// commands there are, when none is near), one line; none when every word
// named a command.
std::optional<std::string> UnknownCommand(const CLI::App& app, int argc, const char* const* argv);

}  // namespace cli
