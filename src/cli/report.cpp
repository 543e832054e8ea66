#include "cli/report.h"

#include <algorithm>

#include <fmt/format.h>
#include <nlohmann/json.hpp>

#include "cli/panel_names.h"

namespace cli {

namespace {

// Panel texts may hold any byte; they are never a reason to fail.
std::string Dump(const nlohmann::ordered_json& value) {
  return value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

template <typename Value>
nlohmann::ordered_json OrNull(bool present, const Value& value) {
  return present ? nlohmann::ordered_json(value) : nlohmann::ordered_json(nullptr);
}

}  // namespace

std::string OutcomeLine(const PanelOutcome& outcome, ReportForm form) {
  if (form == ReportForm::kJson) {
    nlohmann::ordered_json object = {
        {"panel", protocol::AddressText(outcome.panel)},
        {"name", OrNull(!outcome.name.empty(), outcome.name)},
        {"ok", outcome.Ok()},
        {"code", CodeName(outcome.code)},
        {"message", outcome.message},
        {"cause", OrNull(!outcome.cause.empty(), outcome.cause)},
        {"file", OrNull(!outcome.file.empty(), outcome.file)},
        {"bytes", OrNull(outcome.bytes.has_value(), outcome.bytes.value_or(0))}};
    object.update(outcome.extra);
    return Dump(object);
  }
  std::string text = fmt::format("{}: {}{}", PanelText({outcome.panel, outcome.name}),
                                 outcome.Ok() ? "" : "FAILED: ", outcome.message);
  if (!outcome.cause.empty()) text += " - " + outcome.cause;
  if (!outcome.file.empty()) text += fmt::format(" ({})", outcome.file);
  return text;
}

std::string SummaryLine(const std::vector<PanelOutcome>& outcomes, ReportForm form) {
  const auto count = [&](auto test) {
    return std::count_if(outcomes.begin(), outcomes.end(), test);
  };
  const auto succeeded = count([](const PanelOutcome& o) { return o.Ok(); });
  const auto interrupted =
      count([](const PanelOutcome& o) { return o.code == Code::kInterrupted; });
  const auto failed = static_cast<std::ptrdiff_t>(outcomes.size()) - succeeded - interrupted;
  if (form == ReportForm::kJson) {
    return Dump({{"summary",
                  {{"panels", outcomes.size()},
                   {"succeeded", succeeded},
                   {"failed", failed},
                   {"interrupted", interrupted}}}});
  }
  std::string text = fmt::format("{} panel{}: {} succeeded, {} failed", outcomes.size(),
                                 outcomes.size() == 1 ? "" : "s", succeeded, failed);
  if (interrupted > 0) text += fmt::format(", {} interrupted", interrupted);
  return text;
}

void Reporter::Print(const std::string& line) {
  const std::string text = line + "\n";
  const bool whole = std::fwrite(text.data(), 1, text.size(), out_) == text.size();
  if (!whole || std::fflush(out_) != 0) written_ = false;
}

}  // namespace cli
