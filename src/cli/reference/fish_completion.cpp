// The fish completion: a function that finds the command named so far, as
// the bash completion does, and one `complete` line per subcommand, option
// and positional place of each command, with the first sentence of its
// help as fish's description.
#include <fmt/format.h>

#include "reference/completion_words.h"
#include "reference/reference_formats.h"
#include "reference/shell_quote.h"

namespace reference {

namespace {

std::string Condition(const std::string& prefix, const CommandReference& command) {
  return ShellQuoted(prefix + "_is " + ShellQuoted(command.PathText()));
}

// "table) printf '%s\n' get set diff" for the path function.
std::string CommandsCases(const std::vector<CommandWords>& all) {
  std::string cases;
  for (const CommandWords& command : all) {
    if (command.commands.empty()) continue;
    std::string words;
    for (const std::string& word : command.commands) words += " " + ShellQuoted(word);
    cases += fmt::format("        case {}\n            printf '%s\\n'{}\n",
                         ShellQuoted(command.path), words);
  }
  return cases;
}

// "'table get -o' 'table get --output'": the options that take a value.
std::string ValuedOptions(const std::vector<CommandWords>& all) {
  std::string words;
  for (const CommandWords& command : all) {
    for (const OptionWords& option : command.options) {
      if (option.value != "none") words += " " + ShellQuoted(command.path + " " + option.name);
    }
  }
  return words;
}

std::string OptionLine(const std::string& program, const std::string& condition,
                       const ArgumentReference& option) {
  std::string line = fmt::format("complete -c {} -n {}", program, condition);
  for (const std::string& name : option.shortNames) line += " -s " + name.substr(1);
  for (const std::string& name : option.longNames) line += " -l " + name.substr(2);
  switch (option.kind) {
    case ValueKind::kNone:
      break;
    case ValueKind::kNumber:
      line += " -x";
      break;
    case ValueKind::kFile:
      line += " -r -F";
      break;
    case ValueKind::kPanel:
      line += fmt::format(" -x -a '(__{}_panels)'", program);
      break;
    case ValueKind::kChoice: {
      std::string choices;
      for (const std::string& choice : option.choices)
        choices += (choices.empty() ? "" : " ") + choice;
      line += " -x -a " + ShellQuoted(choices);
      break;
    }
  }
  return line + " -d " + ShellQuoted(Summary(option.description)) + "\n";
}

// What the positional words of a command may be: panels (and @FILE),
// files, or nothing but what its options offer.
std::string PositionalLines(const std::string& program, const std::string& condition,
                            const CommandReference& command) {
  bool panels = false;
  bool files = false;
  for (const ArgumentReference& positional : command.positionals) {
    panels = panels || positional.kind == ValueKind::kPanel;
    files = files || positional.kind == ValueKind::kFile;
  }
  std::string lines;
  if (panels) {
    lines += fmt::format("complete -c {} -n {} -a '(__{}_panels)'\n", program, condition, program);
  }
  if (!files) lines += fmt::format("complete -c {} -n {} -f\n", program, condition);
  return lines;
}

constexpr const char* kFunctions =
    R"script(# fish completion for {0}, written by {0} --generate fish.

# The subcommands of command $argv[1] ("" for {0} itself), one a line.
function __{0}_commands
    switch "$argv[1]"
{1}    end
end

# The command named so far on the command line: "", "table", "table get".
function __{0}_path
    set -l path ''
    set -l tokens (commandline -opc)
    set -e tokens[1]
    set -l skip 0
    for word in $tokens
        if test $skip = 1
            set skip 0
            continue
        end
        switch $word
            case '--*=*'
            case '-*'
                contains -- "$path $word" {2}; and set skip 1
            case '*'
                contains -- $word (__{0}_commands $path); or break
                set path (string trim -- "$path $word")
        end
    end
    echo $path
end

function __{0}_is
    test (__{0}_path) = "$argv[1]"
end

# A panel: its name, with its address, or after "@" a file that lists panels.
function __{0}_panels
    set -l word (commandline -ct)
    if string match -q -- '@*' $word
        __fish_complete_path (string sub -s 2 -- $word) | string replace -r '^' '@'
    else
        printf '%s\n' {3}
    end
end

)script";

}  // namespace

std::string FishCompletion(const CommandReference& program, const ProgramFacts& facts) {
  const std::string& name = facts.name;
  const std::vector<CommandWords> all = CompletionWords(program);
  std::string panels;
  for (const ProgramFacts::Panel& panel : facts.panels) {
    panels += " " + ShellQuoted(panel.name + "\t" + panel.address);
  }
  std::string script =
      fmt::format(fmt::runtime(kFunctions), name, CommandsCases(all), ValuedOptions(all), panels);
  for (const CommandReference* command : AllCommands(program)) {
    const std::string condition = Condition("__" + name, *command);
    script +=
        fmt::format("# {}\n", name + (command->path.empty() ? "" : " " + command->PathText()));
    for (const CommandReference& sub : command->commands) {
      script += fmt::format("complete -c {} -n {} -f -a {} -d {}\n", name, condition,
                            ShellQuoted(sub.path.back()), ShellQuoted(Summary(sub.description)));
    }
    for (const ArgumentReference& option : OptionsInScope(ChainTo(program, *command))) {
      script += OptionLine(name, condition, option);
    }
    if (command->commands.empty()) script += PositionalLines(name, condition, *command);
  }
  return script;
}

}  // namespace reference
