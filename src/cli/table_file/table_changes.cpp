#include "table_file/table_changes.h"

#include <array>

#include <fmt/format.h>

#include "table_file/camera_name.h"
#include "table_file/table_columns.h"
#include "table_file/table_rows.h"

namespace table_file {

namespace {

// The columns a write decides; the others follow from them or are the panel's own.
constexpr std::array<Column, 6> kWrittenColumns = {kType, kName, kInput, kMac, kAddress, kPort};

bool IsName(const FieldChange& change) { return change.field == kTableColumns[kName]; }

}  // namespace

std::vector<FieldChange> TableChanges(const protocol::IpSettingRecord& before,
                                      const protocol::IpSettingRecord& after) {
  const auto beforeRows = TableRows(before);
  const auto afterRows = TableRows(after);
  std::vector<FieldChange> changes;
  for (std::size_t row = 0; row < beforeRows.size(); ++row) {
    for (const Column column : kWrittenColumns) {
      const std::string& was = beforeRows[row][column];
      const std::string& becomes = afterRows[row][column];
      if (was == becomes) continue;
      changes.push_back({.entry = beforeRows[row][kNo],
                         .field = kTableColumns[column],
                         .before = was,
                         .after = becomes});
    }
  }
  return changes;
}

std::string ChangeLine(const FieldChange& change) {
  if (IsName(change)) {
    return fmt::format("{} {}: \"{}\" -> \"{}\"", change.entry, change.field,
                       NameCell(change.before), NameCell(change.after));
  }
  return fmt::format("{} {}: {} -> {}", change.entry, change.field, change.before, change.after);
}

nlohmann::ordered_json ChangesJson(const std::vector<FieldChange>& changes,
                                   std::string_view beforeKey, std::string_view afterKey) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const FieldChange& change : changes) {
    nlohmann::ordered_json item = {{"entry", change.entry}, {"field", change.field}};
    if (IsName(change)) {
      // Names as table get gives them: text, or the hex of their bytes.
      PutNameJson(item, std::string(beforeKey), change.before);
      PutNameJson(item, std::string(afterKey), change.after);
    } else {
      item[std::string(beforeKey)] = change.before;
      item[std::string(afterKey)] = change.after;
    }
    list.push_back(std::move(item));
  }
  return list;
}

}  // namespace table_file
