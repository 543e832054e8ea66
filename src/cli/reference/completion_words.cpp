#include "completion_words.h"

namespace cli {

std::string ValueSpec(const ArgumentReference& argument) {
  switch (argument.kind) {
    case ValueKind::kNone:
      return "none";
    case ValueKind::kNumber:
      return "number";
    case ValueKind::kPanel:
      return "panel";
    case ValueKind::kFile:
      return "file";
    case ValueKind::kChoice:
      break;
  }
  std::string spec = "words";
  for (const std::string& choice : argument.choices) spec += " " + choice;
  return spec;
}

namespace {

std::string PlaceSpec(const std::vector<const ArgumentReference*>& place) {
  std::string spec;
  for (const ArgumentReference* argument : place) {
    if (!spec.empty()) spec += ';';
    spec += ValueSpec(*argument);
  }
  return spec.empty() ? "none" : spec;
}

}  // namespace

std::vector<CommandWords> CompletionWords(const CommandReference& program) {
  std::vector<CommandWords> all;
  for (const CommandReference* command : AllCommands(program)) {
    CommandWords words{.path = command->PathText()};
    for (const CommandReference& sub : command->commands) words.commands.push_back(sub.path.back());
    for (const ArgumentReference& option : OptionsInScope(ChainTo(program, *command))) {
      for (const std::string& name : option.Names()) {
        words.options.push_back({name, ValueSpec(option)});
      }
    }
    for (const auto& place : PositionalPlaces(*command)) words.places.push_back(PlaceSpec(place));
    all.push_back(std::move(words));
  }
  return all;
}

}  // namespace cli
