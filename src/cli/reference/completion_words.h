// What the bash and PowerShell completions know of each command, in the
// words their scripts read: the subcommands, every option in scope with
// what its value is, and what each positional place is.
#pragma once

#include <string>
#include <vector>

#include "reference/command_reference.h"

namespace reference {

// A value as the scripts read it: kinds separated by ';', each a word with
// its own words after it: "none" (a flag), "number", "file", "panel",
// "words csv json".
std::string ValueCompletion(const ArgumentReference& argument);

struct OptionWords {
  std::string name{};  // "-o", "--output"
  std::string value{};
};

struct CommandWords {
  std::string path{};                   // "table get"; "" for the program
  std::vector<std::string> commands{};  // "get", "set"
  std::vector<OptionWords> options{};   // its own and its parents'
  std::vector<std::string> places{};    // PositionalPlaces as values; "none" for none
};

std::vector<CommandWords> CompletionWords(const CommandReference& program);

}  // namespace reference
