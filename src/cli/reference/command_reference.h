// vk38's command line as plain data, read off the CLI11 app that parses it:
// the commands and subcommands, their options and positional arguments,
// the help texts, and what each value is completed with. The man page and
// the shell completions (reference_formats.h) are written from this, so
// that nothing --help says is written a second time.
#pragma once

#include <string>
#include <vector>

#include <CLI/CLI.hpp>

namespace reference {

// What a shell offers for a value.
enum class ValueKind {
  kNone,    // a flag: no value
  kNumber,  // a number: nothing to offer
  kPanel,   // PANEL: the panel names (and, after "@", files)
  kFile,    // a text value: a file or folder name
  kChoice,  // one of `choices`
};

struct ArgumentReference {
  std::vector<std::string> shortNames{};  // "-o"; empty for a positional
  std::vector<std::string> longNames{};   // "--output"; empty for a positional
  std::string name{};                     // a positional's name ("PANEL"); empty for an option
  std::string valueName{};                // "FILE", "INT", "SECONDS"; empty for a flag
  ValueKind kind = ValueKind::kNone;
  std::vector<std::string> choices{};
  std::string defaultValue{};  // as --help shows it after "="; empty when none is told
  bool many = false;           // takes any number of values
  bool required = false;       // the command cannot run without it
  std::string description{};

  // Every name of an option, short ones first.
  std::vector<std::string> Names() const;
};

struct CommandReference {
  std::vector<std::string> path{};  // {"table", "get"}; empty for vk38 itself
  std::string description{};
  std::string footer{};
  std::vector<ArgumentReference> options{};      // in the order --help shows them
  std::vector<ArgumentReference> positionals{};  // in the order they are taken
  std::vector<CommandReference> commands{};      // the subcommands, in order

  // "table get"; "" for vk38 itself.
  std::string PathText() const;
};

// The app's visible commands, options and arguments; hidden ones (of the
// empty group) are left out.
CommandReference DescribeCommand(const CLI::App& app);

// The command and every command below it, depth first, parents first.
std::vector<const CommandReference*> AllCommands(const CommandReference& root);

// The options a command takes: its own, then those of the commands above
// it (vk38's commands fall through to their parents, so `table get --json`
// is taken as `--json table get` is). `chain` runs from vk38 itself to the
// command.
std::vector<ArgumentReference> OptionsInScope(const std::vector<const CommandReference*>& chain);

// The commands from vk38 itself down to `command`.
std::vector<const CommandReference*> ChainTo(const CommandReference& root,
                                             const CommandReference& command);

// What the positional word at each place after the command may be: entry i
// for the (i+1)th, the last entry for every later one (empty once no more
// are taken). A positional that takes many values makes the places after
// it ambiguous: they may be more of it or the ones after it.
std::vector<std::vector<const ArgumentReference*>> PositionalPlaces(
    const CommandReference& command);

// The first sentence of a help text, for the one-line descriptions of the
// shells' menus.
std::string Summary(const std::string& description);

}  // namespace reference
