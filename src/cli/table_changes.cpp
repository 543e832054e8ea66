#include "cli/table_changes.h"

#include <array>

#include <fmt/format.h>

#include "cli/camera_name.h"
#include "cli/table_words.h"
#include "table_columns.h"

namespace cli {

namespace {

// The columns a write decides; the others follow from them or are the panel's own.
constexpr std::array<Column, 6> kWrittenColumns = {kType, kName, kInput, kMac, kAddress, kPort};

std::string Shown(Column column, const std::string& word) {
  return column == kName ? NameCell(word) : word;
}

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
                         .before = Shown(column, was),
                         .after = Shown(column, becomes)});
    }
  }
  return changes;
}

std::string ChangeLine(const FieldChange& change) {
  if (change.field == kTableColumns[kName]) {
    return fmt::format("{} {}: \"{}\" -> \"{}\"", change.entry, change.field, change.before,
                       change.after);
  }
  return fmt::format("{} {}: {} -> {}", change.entry, change.field, change.before, change.after);
}

nlohmann::ordered_json ChangesJson(const std::vector<FieldChange>& changes,
                                   std::string_view beforeKey, std::string_view afterKey) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const FieldChange& change : changes) {
    list.push_back({{"entry", change.entry},
                    {"field", change.field},
                    {beforeKey, change.before},
                    {afterKey, change.after}});
  }
  return list;
}

}  // namespace cli
