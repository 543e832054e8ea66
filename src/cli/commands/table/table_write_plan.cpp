#include "commands/table/table_write_plan.h"

#include <algorithm>
#include <cstdio>

#include <fmt/format.h>

#include "io/whole_file.h"
#include "rules/camera_table_texts.h"
#include "rules/camera_table_write.h"
#include "table_file/table_file.h"

namespace cli {

namespace {

std::string EntryLabel(int entry) {
  return entry == rules::kSwitcherEntry ? std::string(table_file::kSwitcherLabel)
                                        : rules::CameraLabel(entry);
}

TableNotice NoticeOf(const rules::WriteNotice& notice) {
  TableNotice told{.kind = notice.kind == rules::WriteNotice::Kind::kError ? "error" : "warning",
                   .text = notice.text,
                   .entries = {}};
  for (const int entry : notice.entries) told.entries.push_back(EntryLabel(entry));
  if (notice.panel) told.entries.emplace_back("the panel");
  return told;
}

// The page shows a duplication once for each camera that shares the
// address; named with all of them, the notices are one.
void AddOnce(TableNotice notice, std::vector<TableNotice>& notices) {
  const auto same = [&](const TableNotice& other) {
    return other.kind == notice.kind && other.text == notice.text &&
           other.entries == notice.entries;
  };
  if (std::none_of(notices.begin(), notices.end(), same)) notices.push_back(std::move(notice));
}

bool Any(const std::vector<TableNotice>& notices, std::string_view kind) {
  return std::any_of(notices.begin(), notices.end(),
                     [&](const TableNotice& notice) { return notice.kind == kind; });
}

std::optional<std::string> RefusalOf(const rules::AddressCheck& check,
                                     const std::vector<TableNotice>& notices,
                                     TableWriteRules rules) {
  if (!check.proceeds) return "the address tests stopped the write";
  if (rules.strict && Any(notices, "error"))
    return "--strict: a duplicate address refuses the write";
  if (!rules.yes && Any(notices, "question")) return "the firmware questions need --yes";
  return std::nullopt;
}

// "C011", "C011 and C012", "C011, C012 and SW".
std::string EntryList(const std::vector<std::string>& entries) {
  std::string list;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (i > 0) list += i + 1 == entries.size() ? " and " : ", ";
    list += entries[i];
  }
  return list;
}

nlohmann::ordered_json NoticesJson(const std::vector<TableNotice>& notices) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const TableNotice& notice : notices) {
    list.push_back({{"kind", notice.kind}, {"text", notice.text}, {"entries", notice.entries}});
  }
  return list;
}

}  // namespace

TableWritePlan PlanTableWrite(const protocol::IpSettingRecord& read,
                              const std::vector<table_file::RowChange>& changes,
                              protocol::PanelAddress panel, TableWriteRules rules) {
  protocol::IpSettingRecord table = read;
  table_file::ApplyRowChanges(changes, table);
  return PlanTableWrite(read, table, panel, rules);
}

TableWritePlan PlanTableWrite(const protocol::IpSettingRecord& read,
                              const protocol::IpSettingRecord& table, protocol::PanelAddress panel,
                              TableWriteRules rules) {
  TableWritePlan plan;
  const rules::AddressCheck check = rules::CheckAddresses(table, panel);
  for (const rules::WriteNotice& notice : check.notices) AddOnce(NoticeOf(notice), plan.notices);
  plan.prepared =
      rules::PrepareForWrite(table, rules::CameraAddresses(read), rules::SwitcherAddress(read));
  // The page asks its questions only of a table that passed the address tests.
  if (check.proceeds) {
    for (std::string& question : rules::FirmwareQuestions(plan.prepared)) {
      plan.notices.push_back({.kind = "question", .text = std::move(question), .entries = {}});
    }
  }
  protocol::ComputeChecksum(plan.prepared);
  plan.changes = table_file::TableChanges(read, plan.prepared);
  plan.refusal = RefusalOf(check, plan.notices, rules);
  plan.questionsAnswered = rules.yes;
  return plan;
}

std::string NoticeLine(const TableNotice& notice) {
  if (notice.kind != "error" || notice.entries.empty()) {
    return fmt::format("{}: {}", notice.kind, notice.text);
  }
  return fmt::format("{}: {}: {}", notice.kind, EntryList(notice.entries), notice.text);
}

void TellPlan(const TableWritePlan& plan, PlanView view, PanelOutcome& outcome) {
  const bool diff = view == PlanView::kDiff;
  if (diff) {
    for (const table_file::FieldChange& change : plan.changes)
      outcome.details.push_back(table_file::ChangeLine(change));
    outcome.extra["changes"] = table_file::ChangesJson(plan.changes);
  }
  for (const TableNotice& notice : plan.notices) {
    const bool answered = notice.kind == "question" && plan.questionsAnswered;
    if (diff || !answered) outcome.details.push_back(NoticeLine(notice));
  }
  outcome.extra["notices"] = NoticesJson(plan.notices);
  if (diff && plan.refusal)
    outcome.details.push_back("the write would be refused: " + *plan.refusal);
  outcome.extra["refusal"] =
      plan.refusal ? nlohmann::ordered_json(*plan.refusal) : nlohmann::ordered_json(nullptr);
}

}  // namespace cli
