// What a spreadsheet does to a CSV file that it opens as UTF-8 and saves
// again: each byte that is not part of UTF-8 text becomes U+FFFD, every
// field is quoted, lines end in LF, and the fields are separated as the
// spreadsheet's locale has it.
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "table_file/csv.h"

namespace cli_test {

// The length of the well-formed UTF-8 sequence that `text` starts with, 0
// when it starts with none.
inline std::size_t Utf8SequenceLength(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (length == 0 || lead > 0xF4 || text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
  }
  // The shortest forms only, and no surrogates.
  if (lead == 0xE0 && byte(1) < 0xA0) return 0;
  if (lead == 0xED && byte(1) >= 0xA0) return 0;
  if (lead == 0xF0 && byte(1) < 0x90) return 0;
  if (lead == 0xF4 && byte(1) >= 0x90) return 0;
  return length;
}

inline std::string AsUtf8Text(std::string_view bytes) {
  std::string text;
  while (!bytes.empty()) {
    const std::size_t length = Utf8SequenceLength(bytes);
    text += length == 0 ? std::string_view("\xEF\xBF\xBD") : bytes.substr(0, length);
    bytes.remove_prefix(length == 0 ? 1 : length);
  }
  return text;
}

// The file saved again; the text unchanged when it is no CSV.
inline std::string SpreadsheetRewrite(std::string_view csv, char separator) {
  const auto rows = table_file::ReadCsv(csv);
  if (!std::holds_alternative<std::vector<table_file::CsvRow>>(rows)) return std::string(csv);
  std::string saved;
  for (const table_file::CsvRow& row : std::get<std::vector<table_file::CsvRow>>(rows)) {
    for (std::size_t i = 0; i < row.size(); ++i) {
      if (i > 0) saved += separator;
      saved += '"';
      for (const char c : AsUtf8Text(row[i].text))
        saved += c == '"' ? std::string("\"\"") : std::string(1, c);
      saved += '"';
    }
    saved += '\n';
  }
  return saved;
}

}  // namespace cli_test
