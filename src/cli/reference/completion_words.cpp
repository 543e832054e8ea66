#include "reference/completion_words.h"

namespace reference {

std::string ValueCompletion(const ArgumentReference& argument) {
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
  std::string item = "words";
  for (const std::string& choice : argument.choices) item += " " + choice;
  return item;
}

namespace {

std::string PlaceCompletion(const std::vector<const ArgumentReference*>& place) {
  std::string item;
  for (const ArgumentReference* argument : place) {
    if (!item.empty()) item += ';';
    item += ValueCompletion(*argument);
  }
  return item.empty() ? "none" : item;
}

}  // namespace

std::vector<CommandWords> CompletionWords(const CommandReference& program) {
  std::vector<CommandWords> all;
  for (const CommandReference* command : AllCommands(program)) {
    CommandWords words{.path = command->PathText()};
    for (const CommandReference& sub : command->commands) words.commands.push_back(sub.path.back());
    for (const ArgumentReference& option : OptionsInScope(ChainTo(program, *command))) {
      for (const std::string& name : option.Names()) {
        words.options.push_back({name, ValueCompletion(option)});
      }
    }
    for (const auto& place : PositionalPlaces(*command))
      words.places.push_back(PlaceCompletion(place));
    all.push_back(std::move(words));
  }
  return all;
}

}  // namespace reference
