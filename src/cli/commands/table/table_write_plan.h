// What a table file would do to one panel's table: the file applied over
// the table read from the panel, the write rules run (the address tests,
// the MAC rule, the firmware questions), and what that changes. table set
// writes what this prepares; table diff and table set --dry-run show it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "protocol/ip_setting_record.h"
#include "run/panel_outcome.h"
#include "table_file/table_changes.h"
#include "table_file/table_rows.h"

namespace cli {

// What decides beyond the page's rules whether a write goes.
struct TableWriteRules {
  bool strict = false;  // a duplicate address refuses the write
  bool yes = false;     // the firmware questions are answered with OK
};

// A notice of the write rules, as vk38 tells it.
struct TableNotice {
  std::string_view kind;             // "error", "warning" or "question"
  std::string text;                  // the page's own text
  std::vector<std::string> entries;  // the entries it is about: "C011", "SW", "the panel"
};

struct TableWritePlan {
  protocol::IpSettingRecord prepared{};  // what would be sent: the MAC rule applied, its sum
  std::vector<table_file::FieldChange> changes;
  std::vector<TableNotice> notices;      // the address tests' (each told once), then the questions
  std::optional<std::string> refusal{};  // why the write would not go
  bool questionsAnswered = false;        // --yes answered the questions
};

// `read` is the panel's table as read; `panel` its address.
TableWritePlan PlanTableWrite(const protocol::IpSettingRecord& read,
                              const std::vector<table_file::RowChange>& changes,
                              protocol::PanelAddress panel, TableWriteRules rules);
// The same for a whole table made from `read` (ALL CLEAR's, a proposal).
TableWritePlan PlanTableWrite(const protocol::IpSettingRecord& read,
                              const protocol::IpSettingRecord& edited, protocol::PanelAddress panel,
                              TableWriteRules rules);

// "error: C011 and C012: IP(10.0.0.12) Duplication"; the other notices name
// their entries in their own text.
std::string NoticeLine(const TableNotice& notice);

// What of a plan an outcome tells: a write tells the notices (its refusal
// is its cause; questions that --yes answered only in JSON), a diff the
// changes, the notices and the refusal.
enum class PlanView { kWrite, kDiff };
// As the outcome's details and its JSON members "changes" (a diff's),
// "notices" and "refusal".
void TellPlan(const TableWritePlan& plan, PlanView view, PanelOutcome& outcome);

}  // namespace cli
