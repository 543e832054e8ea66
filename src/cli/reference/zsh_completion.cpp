// The zsh completion: one function per command, each an _arguments call
// with the command's options (its parents' included), its positional
// places, and its subcommands with their descriptions.
#include <fmt/format.h>

#include "reference/reference_formats.h"
#include "reference/shell_quote.h"

namespace reference {

namespace {

// A description inside an _arguments item's brackets.
std::string Bracketed(const std::string& text) {
  std::string escaped;
  for (const char c : text) {
    if (c == '[' || c == ']' || c == '\\') escaped += '\\';
    escaped += c == '\n' ? ' ' : c;
  }
  return "[" + escaped + "]";
}

// A message or name between an _arguments item's colons.
std::string Colonless(const std::string& text) {
  std::string escaped;
  for (const char c : text) escaped += c == ':' ? std::string("\\:") : std::string(1, c);
  return escaped;
}

std::string FunctionName(const std::string& program, const CommandReference& command) {
  std::string name = "_" + program;
  for (const std::string& word : command.path) name += "_" + word;
  for (char& c : name) c = c == '-' ? '_' : c;
  return name;
}

std::string Action(const ArgumentReference& argument, const std::string& program) {
  switch (argument.kind) {
    case ValueKind::kPanel:
      return "_" + program + "_panel";
    case ValueKind::kFile:
      return "_files";
    case ValueKind::kChoice: {
      std::string words;
      for (const std::string& choice : argument.choices)
        words += (words.empty() ? "" : " ") + choice;
      return "(" + words + ")";
    }
    case ValueKind::kNone:
    case ValueKind::kNumber:
      break;
  }
  return " ";
}

std::string ValueName(const ArgumentReference& argument) {
  return argument.name.empty() ? argument.valueName : argument.name;
}

// One item per name: '(-o --output)-o+[where the tables go]:TEXT:_files'.
std::vector<std::string> OptionItems(const ArgumentReference& option, const std::string& program) {
  std::string exclusive;
  for (const std::string& name : option.Names()) exclusive += (exclusive.empty() ? "" : " ") + name;
  std::vector<std::string> items;
  for (const std::string& name : option.Names()) {
    std::string item = "(" + exclusive + ")" + name;
    if (option.kind != ValueKind::kNone) item += name.starts_with("--") ? "=" : "+";
    item += Bracketed(Summary(option.description));
    if (option.kind != ValueKind::kNone) {
      item += ":" + Colonless(ValueName(option)) + ":" + Action(option, program);
    }
    items.push_back(ShellQuoted(item));
  }
  return items;
}

// A place that may be one of several arguments offers what each offers.
std::string PlaceCompletion(const std::string& position,
                            const std::vector<const ArgumentReference*>& place,
                            const std::string& program) {
  if (place.size() == 1) {
    return ShellQuoted(position + ":" + Colonless(place.front()->name) + ":" +
                       Action(*place.front(), program));
  }
  std::string message, alternatives;
  for (const ArgumentReference* argument : place) {
    message += (message.empty() ? "" : " or ") + argument->name;
    alternatives +=
        " \"" + argument->name + ":" + argument->name + ":" + Action(*argument, program) + "\"";
  }
  return ShellQuoted(position + ":" + Colonless(message) + ":_alternative" + alternatives);
}

std::vector<std::string> PositionalItems(const CommandReference& command,
                                         const std::string& program) {
  const auto places = PositionalPlaces(command);
  std::vector<std::string> items;
  for (std::size_t i = 0; i < places.size(); ++i) {
    if (places[i].empty()) continue;
    const bool last = i + 1 == places.size();
    items.push_back(PlaceCompletion(last ? "*" : std::to_string(i + 1), places[i], program));
  }
  return items;
}

std::string CommandFunction(const CommandReference& program, const CommandReference& command,
                            const std::string& name) {
  std::vector<std::string> items;
  for (const ArgumentReference& option : OptionsInScope(ChainTo(program, command))) {
    const std::vector<std::string> own = OptionItems(option, name);
    items.insert(items.end(), own.begin(), own.end());
  }
  std::string body;
  if (command.commands.empty()) {
    const std::vector<std::string> positionals = PositionalItems(command, name);
    items.insert(items.end(), positionals.begin(), positionals.end());
    body = "  _arguments -s -S";
    for (const std::string& item : items) body += " \\\n    " + item;
    return fmt::format("{}() {{\n{}\n}}\n\n", FunctionName(name, command), body);
  }
  std::string described, calls;
  for (const CommandReference& sub : command.commands) {
    described +=
        "\n      " + ShellQuoted(Colonless(sub.path.back()) + ":" + Summary(sub.description));
    calls += fmt::format("        {}) {} ;;\n", sub.path.back(), FunctionName(name, sub));
  }
  body =
      "  local curcontext=\"$curcontext\" state line\n  typeset -A opt_args\n"
      "  _arguments -C -s -S";
  for (const std::string& item : items) body += " \\\n    " + item;
  body += " \\\n    ': :->command' \\\n    '*:: :->argument'\n";
  body += fmt::format(
      "  case $state in\n"
      "    command)\n"
      "      local -a commands=({})\n"
      "      _describe -t commands {} commands ;;\n"
      "    argument)\n"
      "      case $line[1] in\n{}      esac ;;\n"
      "  esac",
      described, ShellQuoted(name + " " + command.PathText() + " command"), calls);
  return fmt::format("{}() {{\n{}\n}}\n\n", FunctionName(name, command), body);
}

}  // namespace

std::string ZshCompletion(const CommandReference& program, const ProgramFacts& facts) {
  const std::string& name = facts.name;
  std::string panels;
  for (const ProgramFacts::Panel& panel : facts.panels) panels += " " + ShellQuoted(panel.name);
  std::string script = fmt::format(
      "#compdef {0}\n# zsh completion for {0}, written by {0} --generate zsh.\n\n"
      "# A panel: one of the panel names or, after \"@\", a file that lists panels.\n"
      "_{0}_panel() {{\n"
      "  if compset -P '@'; then\n    _files\n  else\n"
      "    local -a names=({1})\n    _describe -t panels 'panel name' names\n  fi\n}}\n\n",
      name, panels);
  const std::vector<const CommandReference*> all = AllCommands(program);
  for (auto command = all.rbegin(); command != all.rend(); ++command) {
    script += CommandFunction(program, **command, name);
  }
  script += fmt::format(
      "if [ \"$funcstack[1]\" = \"_{0}\" ]; then\n  _{0} \"$@\"\nelse\n  compdef _{0} {0}\nfi\n",
      name);
  return script;
}

}  // namespace reference
