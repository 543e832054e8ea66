#include "io/confirmation.h"

#include <fmt/format.h>

#include <algorithm>
#include <cctype>
#include <optional>

namespace cli {

bool IsYes(std::string answer) {
  std::transform(answer.begin(), answer.end(), answer.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return answer == "y" || answer == "yes";
}

bool ConfirmationPossible(Machine& machine, bool yes, std::string_view what) {
  if (yes || machine.InputOnTerminal()) return true;
  fmt::print(stderr, "vk38: {} needs --yes when no terminal can confirm it; no panel was touched\n",
             what);
  return false;
}

bool PanelQuestions::Ask(std::string_view heading, const std::vector<std::string>& lines,
                         const std::string& question) {
  const std::lock_guard<std::mutex> one(asking_);
  std::string prompt;
  for (const std::string& line : lines) prompt += fmt::format("{}: {}\n", heading, line);
  prompt += fmt::format("{}: {} [y/N] ", heading, question);
  const std::optional<std::string> answer = machine_.ReadTerminalLine(prompt, Echo::kShown);
  return answer && IsYes(*answer);
}

}  // namespace cli
