#include "run/report.h"

#include <algorithm>

#include <fmt/format.h>
#include <nlohmann/json.hpp>

#include "panels/panel_names.h"

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

// What the plain line says of a change: the word, and for a change that may
// be on the panel what to do about it.
std::string ChangeNote(Change change) {
  if (change == Change::kMaybe) {
    return " [changed: maybe - read the panel back to see whether it holds the change]";
  }
  return fmt::format(" [changed: {}]", ChangeName(change));
}

}  // namespace

std::string OneLine(std::string_view text) {
  std::string line;
  bool lineBreak = false;
  for (const char c : text) {
    if (c == '\n' || c == '\r') {
      lineBreak = !line.empty();
      continue;
    }
    if (lineBreak) line += ' ';
    lineBreak = false;
    const auto byte = static_cast<unsigned char>(c);
    line += byte < 0x20 || byte == 0x7F ? '?' : c;
  }
  return line;
}

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
        {"bytes", OrNull(outcome.bytes.has_value(), outcome.bytes.value_or(0))},
        {"changed",
         OrNull(outcome.changed.has_value(), ChangeName(outcome.changed.value_or(Change::kNo)))}};
    object.update(outcome.extra);
    return Dump(object);
  }
  std::string text = fmt::format("{}: {}{}", PanelText({outcome.panel, outcome.name}),
                                 outcome.Ok() ? "" : "FAILED: ", outcome.message);
  if (!outcome.cause.empty()) text += " - " + outcome.cause;
  if (!outcome.file.empty()) text += fmt::format(" ({})", outcome.file);
  if (outcome.changed) text += ChangeNote(*outcome.changed);
  return OneLine(text);
}

std::string SummaryLine(const std::vector<PanelOutcome>& outcomes, ReportForm form) {
  const auto count = [&](auto test) {
    return std::count_if(outcomes.begin(), outcomes.end(), test);
  };
  const auto succeeded = count([](const PanelOutcome& o) { return o.Ok(); });
  const auto interrupted =
      count([](const PanelOutcome& o) { return o.code == Code::kInterrupted; });
  const auto notStarted = count([](const PanelOutcome& o) { return o.code == Code::kNotStarted; });
  const auto failed =
      static_cast<std::ptrdiff_t>(outcomes.size()) - succeeded - interrupted - notStarted;
  // Only a command that changes panels tells what they may hold.
  const bool changes = std::any_of(outcomes.begin(), outcomes.end(),
                                   [](const PanelOutcome& o) { return o.changed.has_value(); });
  const auto changed = [&](Change change) {
    return count([change](const PanelOutcome& o) { return o.changed == change; });
  };
  if (form == ReportForm::kJson) {
    nlohmann::ordered_json summary = {{"panels", outcomes.size()}, {"succeeded", succeeded},
                                      {"failed", failed},          {"interrupted", interrupted},
                                      {"not-started", notStarted}, {"changed", nullptr}};
    if (changes) {
      summary["changed"] = {{"yes", changed(Change::kYes)},
                            {"maybe", changed(Change::kMaybe)},
                            {"no", changed(Change::kNo)}};
    }
    return Dump({{"summary", summary}});
  }
  std::string text = fmt::format("{} panel{}: {} succeeded, {} failed", outcomes.size(),
                                 outcomes.size() == 1 ? "" : "s", succeeded, failed);
  if (interrupted > 0) text += fmt::format(", {} interrupted", interrupted);
  if (notStarted > 0) text += fmt::format(", {} not started", notStarted);
  if (changes) {
    text += fmt::format("; changed: {} yes, {} maybe, {} no", changed(Change::kYes),
                        changed(Change::kMaybe), changed(Change::kNo));
  }
  return text;
}

void Reporter::Print(const std::string& line) {
  const std::string text = line + "\n";
  const bool whole = std::fwrite(text.data(), 1, text.size(), out_) == text.size();
  if (!whole || std::fflush(out_) != 0) written_ = false;
}

}  // namespace cli
