// The camera table as CSV: a header row with the Setting page's captions,
// one row per camera and one for the switcher.
#include <algorithm>
#include <optional>

#include <fmt/format.h>

#include "table_file/camera_name.h"
#include "table_file/csv.h"
#include "table_file/table_columns.h"
#include "table_file/table_file.h"

namespace table_file {

namespace {

// Where each caption is in the header row, or nothing for a missing column.
using ColumnPlaces = std::array<std::optional<std::size_t>, kTableColumns.size()>;

std::variant<ColumnPlaces, TableFileError> ReadHeader(const CsvRow& header) {
  ColumnPlaces places;
  for (std::size_t i = 0; i < header.size(); ++i) {
    const CsvCell& caption = header[i];
    const auto known = std::find(kTableColumns.begin(), kTableColumns.end(), caption.text);
    if (known == kTableColumns.end()) {
      return TableFileError{fmt::format("\"{}\" is no column of the camera table; the columns "
                                        "are: {}",
                                        caption.text, NameList(kTableColumns)),
                            caption.at};
    }
    std::optional<std::size_t>& place =
        places[static_cast<std::size_t>(known - kTableColumns.begin())];
    if (place) return TableFileError{"the column \"" + caption.text + "\" comes twice", caption.at};
    place = i;
  }
  if (!places[kNo]) {
    return TableFileError{"the header row has no \"CAMERA No\" column", header.front().at};
  }
  return places;
}

// A row a spreadsheet leaves behind: separators and nothing else.
bool IsBlank(const CsvRow& row) {
  return std::all_of(row.begin(), row.end(), [](const CsvCell& cell) { return cell.text.empty(); });
}

// Reads the row's cells that a file sets; false (error recorded) at the first fault.
bool ReadRow(RowReader& reader, const CsvRow& row, const ColumnPlaces& places) {
  const CsvCell& label = row[*places[kNo]];
  if (!reader.Begin(label.text, label.at)) return false;
  for (const SetColumn& set : kSetColumns) {
    if (!places[set.column]) continue;
    const CsvCell& cell = row[*places[set.column]];
    if (set.column != kName) {
      if (!(reader.*set.read)(cell.text, cell.at)) return false;
      continue;
    }
    std::string error;
    const std::optional<std::string> name = NameFromCell(cell.text, error);
    if (!name) return reader.Fail(error, cell.at);
    if (!reader.Name(*name, cell.at)) return false;
  }
  return true;
}

}  // namespace

std::string TableCsv(const protocol::IpSettingRecord& table) {
  std::string text = CsvLine(std::vector<std::string>(kTableColumns.begin(), kTableColumns.end()));
  for (auto& row : TableRows(table)) {
    row[kName] = NameCell(row[kName]);
    text += CsvLine(std::vector<std::string>(row.begin(), row.end()));
  }
  return text;
}

TableFileRead ReadTableCsv(std::string_view text) {
  auto parsed = ReadCsv(text);
  if (const CsvError* error = std::get_if<CsvError>(&parsed)) {
    return TableFileError{error->message, error->at};
  }
  const std::vector<CsvRow>& rows = std::get<std::vector<CsvRow>>(parsed);
  if (rows.empty()) return TableFileError{"the file holds no header row", TextPosition{}};
  auto header = ReadHeader(rows.front());
  if (const TableFileError* error = std::get_if<TableFileError>(&header)) return *error;
  const ColumnPlaces& places = std::get<ColumnPlaces>(header);

  RowReader reader;
  for (std::size_t r = 1; r < rows.size(); ++r) {
    const CsvRow& row = rows[r];
    if (IsBlank(row)) continue;
    if (row.size() != rows.front().size()) {
      return TableFileError{"the row has " + std::to_string(row.size()) + " fields, the header " +
                                std::to_string(rows.front().size()),
                            row.front().at};
    }
    if (!ReadRow(reader, row, places)) return *reader.Error();
  }
  return reader.TakeChanges();
}

}  // namespace table_file
