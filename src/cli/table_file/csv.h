// Comma-separated text as spreadsheets write it (RFC 4180): fields in double
// quotes may hold commas, line breaks and doubled quotes; lines end in CR LF
// or LF. Spreadsheets set to another locale separate with semicolons (or
// tabs): the first line tells which. Every cell keeps where it began, so
// that a later check of its content can still name the line and column.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace table_file {

// A place in a text file: line and column, both from 1; the column counts bytes.
struct TextPosition {
  int line = 1;
  int column = 1;
};

struct CsvCell {
  std::string text;
  TextPosition at;
};
using CsvRow = std::vector<CsvCell>;

struct CsvError {
  std::string message;
  TextPosition at;
};

// The separator of `text`: the first comma, semicolon or tab on its first
// line outside quotes, a comma when there is none.
char CsvSeparator(std::string_view text);

// The rows of `text` with its separator. A UTF-8 byte order mark at the
// start is skipped, and so are lines with nothing on them; text in UTF-16
// is refused.
std::variant<std::vector<CsvRow>, CsvError> ReadCsv(std::string_view text);

// One line of fields, each quoted when it holds a comma, a quote, a CR or
// an LF or begins or ends with a space, ended by CR LF.
std::string CsvLine(const std::vector<std::string>& fields);

}  // namespace table_file
