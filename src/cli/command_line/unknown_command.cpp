#include "command_line/unknown_command.h"

#include <fmt/format.h>

#include <algorithm>

namespace cli {

namespace {

// The number of letters to insert, delete or replace, or of neighbours to
// swap, to make `a` into `b` ("tabel" is one swap from "table").
std::size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
  for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t replace = d[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1);
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, replace});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
      }
    }
  }
  return d[a.size()][b.size()];
}

std::vector<std::string> CommandNames(const CLI::App& app) {
  std::vector<std::string> names;
  for (const CLI::App* sub :
       app.get_subcommands([](const CLI::App* s) { return !s->get_group().empty(); })) {
    names.push_back(sub->get_name());
  }
  return names;
}

// Whether the option named by `word` ("--jobs", "-j", "--jobs=4") takes the
// next argument as its value.
bool TakesNextArgument(const CLI::App& app, const std::string& word) {
  if (word.find('=') != std::string::npos) return false;
  const std::string name = word.starts_with("--") ? word : word.substr(0, 2);
  // Options fall through to the commands above.
  for (const CLI::App* at = &app; at != nullptr; at = at->get_parent()) {
    const CLI::Option* option = at->get_option_no_throw(name);
    if (option == nullptr) continue;
    // "-j4": the value is in the word itself.
    const bool joined = !word.starts_with("--") && word.size() > 2;
    return option->get_items_expected_max() > 0 && !joined;
  }
  return false;
}

}  // namespace

std::optional<std::string> NearestCommand(std::string_view word,
                                          const std::vector<std::string>& candidates) {
  std::optional<std::string> nearest;
  std::size_t best = 3;
  for (const std::string& candidate : candidates) {
    const std::size_t distance = EditDistance(word, candidate);
    if (distance < best && distance * 2 < std::max(word.size(), std::size_t{2})) {
      best = distance;
      nearest = candidate;
    }
  }
  return nearest;
}

std::optional<std::string> UnknownCommand(const CLI::App& app, int argc, const char* const* argv) {
  const CLI::App* at = &app;
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    if (word == "--") return std::nullopt;
    if (word.size() > 1 && word.front() == '-') {
      if (TakesNextArgument(*at, word)) ++i;
      continue;
    }
    const std::vector<std::string> names = CommandNames(*at);
    if (names.empty()) return std::nullopt;
    const auto named = std::find(names.begin(), names.end(), word);
    if (named != names.end()) {
      at = at->get_subcommand(word);
      continue;
    }
    if (at->get_require_subcommand_min() == 0) return std::nullopt;
    if (const std::optional<std::string> nearest = NearestCommand(word, names)) {
      return fmt::format("vk38: unknown command \"{}\"; did you mean \"{}\"?\n", word, *nearest);
    }
    return fmt::format("vk38: unknown command \"{}\"; the commands{} are: {}\n", word,
                       at == &app ? "" : " of " + at->get_name(), fmt::join(names, ", "));
  }
  return std::nullopt;
}

}  // namespace cli
