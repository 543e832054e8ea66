#include "cli/report.h"

#include <algorithm>

#include <fmt/format.h>
#include <nlohmann/json.hpp>

namespace cli {

std::string OutcomeLine(const PanelOutcome& outcome, ReportForm form) {
  const std::string panel = AddressText(outcome.panel);
  if (form == ReportForm::kJson) {
    nlohmann::ordered_json line{{"panel", panel}, {"ok", outcome.ok}, {"message", outcome.message}};
    if (!outcome.file.empty()) line["file"] = outcome.file;
    if (outcome.bytes) line["bytes"] = *outcome.bytes;
    // Panel texts may hold any byte; they are never a reason to fail.
    return line.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  }
  std::string text = fmt::format("{}: {}{}", panel, outcome.ok ? "" : "FAILED: ", outcome.message);
  if (!outcome.file.empty()) text += fmt::format(" ({})", outcome.file);
  return text;
}

void PrintOutcomes(std::FILE* out, const std::vector<PanelOutcome>& outcomes, ReportForm form) {
  for (const PanelOutcome& outcome : outcomes) {
    fmt::print(out, "{}\n", OutcomeLine(outcome, form));
  }
  std::fflush(out);
}

bool AllSucceeded(const std::vector<PanelOutcome>& outcomes) {
  return std::all_of(outcomes.begin(), outcomes.end(), [](const PanelOutcome& o) { return o.ok; });
}

}  // namespace cli
