#include "reference/command_reference.h"

#include <algorithm>
#include <cctype>

namespace reference {

namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::size_t at = 0;
  for (std::size_t end; (end = text.find(separator, at)) != std::string::npos; at = end + 1) {
    parts.push_back(text.substr(at, end - at));
  }
  parts.push_back(text.substr(at));
  return parts;
}

bool IsWordInCapitals(const std::string& text) {
  return !text.empty() && std::all_of(text.begin(), text.end(),
                                      [](unsigned char c) { return std::isupper(c) || c == '_'; });
}

bool IsNumberType(const std::string& type) {
  return type == "INT" || type == "UINT" || type == "FLOAT" || type == "NUMBER";
}

// CLI11 names a value by its type and then each check's own name, joined by
// ':' ("TEXT:{csv,json}", "FLOAT:SECONDS", "TEXT:PANEL"): the kind of value
// comes from those names, and the name shown is the check's when it is one
// word ("SECONDS"), the type's otherwise ("INT").
void DescribeValue(const CLI::Option& option, ArgumentReference& argument) {
  if (option.get_items_expected_max() == 0) return;
  const std::vector<std::string> parts = Split(option.get_type_name(), ':');
  argument.valueName = parts.front();
  argument.defaultValue = option.get_default_str();
  argument.kind = IsNumberType(parts.front()) ? ValueKind::kNumber : ValueKind::kFile;
  for (std::size_t i = 1; i < parts.size(); ++i) {
    const std::string& part = parts[i];
    if (part.size() >= 2 && part.front() == '{' && part.back() == '}') {
      argument.kind = ValueKind::kChoice;
      argument.choices = Split(part.substr(1, part.size() - 2), ',');
    } else if (IsWordInCapitals(part)) {
      argument.valueName = part;
    }
  }
  if (argument.valueName == "PANEL" || argument.name == "PANEL") argument.kind = ValueKind::kPanel;
}

ArgumentReference DescribeArgument(const CLI::Option& option) {
  ArgumentReference argument;
  for (const std::string& name : option.get_snames()) argument.shortNames.push_back("-" + name);
  for (const std::string& name : option.get_lnames()) argument.longNames.push_back("--" + name);
  if (!option.nonpositional()) argument.name = option.get_name(true);
  argument.many = option.get_items_expected_max() > 1;
  argument.required = option.get_required();
  argument.description = option.get_description();
  DescribeValue(option, argument);
  return argument;
}

bool Hidden(const std::string& group) { return group.empty(); }

CommandReference Describe(const CLI::App& app, const std::vector<std::string>& path,
                          const std::string& parentFooter) {
  CommandReference command;
  command.path = path;
  command.description = app.get_description();
  // A subcommand takes its parent's footer unless it has one of its own.
  if (app.get_footer() != parentFooter) command.footer = app.get_footer();
  for (const CLI::Option* option :
       app.get_options([](const CLI::Option* o) { return !Hidden(o->get_group()); })) {
    ArgumentReference argument = DescribeArgument(*option);
    (argument.name.empty() ? command.options : command.positionals).push_back(argument);
  }
  for (const CLI::App* sub :
       app.get_subcommands([](const CLI::App* s) { return !Hidden(s->get_group()); })) {
    std::vector<std::string> subPath = path;
    subPath.push_back(sub->get_name());
    command.commands.push_back(Describe(*sub, subPath, app.get_footer()));
  }
  return command;
}

bool SharesAName(const ArgumentReference& a, const ArgumentReference& b) {
  const std::vector<std::string> names = b.Names();
  return std::any_of(names.begin(), names.end(), [&](const std::string& name) {
    const std::vector<std::string> own = a.Names();
    return std::find(own.begin(), own.end(), name) != own.end();
  });
}

}  // namespace

std::vector<std::string> ArgumentReference::Names() const {
  std::vector<std::string> names = shortNames;
  names.insert(names.end(), longNames.begin(), longNames.end());
  return names;
}

std::string CommandReference::PathText() const {
  std::string text;
  for (const std::string& word : path) text += (text.empty() ? "" : " ") + word;
  return text;
}

CommandReference DescribeCommand(const CLI::App& app) { return Describe(app, {}, {}); }

std::vector<const CommandReference*> AllCommands(const CommandReference& root) {
  std::vector<const CommandReference*> all{&root};
  for (const CommandReference& sub : root.commands) {
    const std::vector<const CommandReference*> below = AllCommands(sub);
    all.insert(all.end(), below.begin(), below.end());
  }
  return all;
}

std::vector<const CommandReference*> ChainTo(const CommandReference& root,
                                             const CommandReference& command) {
  std::vector<const CommandReference*> chain{&root};
  for (const std::string& word : command.path) {
    const std::vector<CommandReference>& subs = chain.back()->commands;
    const auto sub = std::find_if(subs.begin(), subs.end(),
                                  [&](const CommandReference& s) { return s.path.back() == word; });
    if (sub == subs.end()) break;
    chain.push_back(&*sub);
  }
  return chain;
}

std::vector<ArgumentReference> OptionsInScope(const std::vector<const CommandReference*>& chain) {
  std::vector<ArgumentReference> options;
  for (auto command = chain.rbegin(); command != chain.rend(); ++command) {
    for (const ArgumentReference& option : (*command)->options) {
      const bool shadowed = std::any_of(options.begin(), options.end(), [&](const auto& taken) {
        return SharesAName(taken, option);
      });
      if (!shadowed) options.push_back(option);
    }
  }
  return options;
}

std::vector<std::vector<const ArgumentReference*>> PositionalPlaces(
    const CommandReference& command) {
  std::vector<std::vector<const ArgumentReference*>> places;
  const std::vector<ArgumentReference>& positionals = command.positionals;
  for (auto positional = positionals.begin(); positional != positionals.end(); ++positional) {
    if (!positional->many) {
      places.push_back({&*positional});
      continue;
    }
    std::vector<const ArgumentReference*> later;
    for (auto rest = positional; rest != positionals.end(); ++rest) later.push_back(&*rest);
    if (later.size() > 1) places.push_back({&*positional});
    places.push_back(later);
    return places;
  }
  places.emplace_back();
  return places;
}

std::string Summary(const std::string& description) {
  // The first ". ", ": " or "; " outside parentheses ends it.
  int depth = 0;
  std::size_t end = 0;
  for (; end < description.size(); ++end) {
    const char c = description[end];
    depth += c == '(' ? 1 : c == ')' ? -1 : 0;
    const bool stop = c == '.' || c == ':' || c == ';';
    if (depth == 0 && stop && end + 1 < description.size() && description[end + 1] == ' ') break;
  }
  std::string summary = description.substr(0, end);
  if (!summary.empty() && summary.back() == '.') summary.pop_back();
  return summary;
}

}  // namespace reference
