// The CSV reader and writer: what spreadsheets write comes back field for
// field, and a fault is named by its line and column.
#include <gtest/gtest.h>

#include <variant>

#include "table_file/csv.h"

namespace {

using table_file::CsvError;
using table_file::CsvRow;

std::vector<std::vector<std::string>> Texts(std::string_view csv) {
  auto read = table_file::ReadCsv(csv);
  if (const table_file::CsvError* error = std::get_if<table_file::CsvError>(&read)) {
    ADD_FAILURE() << error->message << " at " << error->at.line << ":" << error->at.column;
    return {};
  }
  std::vector<std::vector<std::string>> rows;
  for (const table_file::CsvRow& row : std::get<std::vector<table_file::CsvRow>>(read)) {
    rows.emplace_back();
    for (const table_file::CsvCell& cell : row) rows.back().push_back(cell.text);
  }
  return rows;
}

table_file::CsvError ErrorOf(std::string_view csv) {
  auto read = table_file::ReadCsv(csv);
  if (const table_file::CsvError* error = std::get_if<table_file::CsvError>(&read)) return *error;
  ADD_FAILURE() << "accepted: " << csv;
  return {};
}

TEST(Csv, FieldsWithCommasQuotesAndLineBreaksComeBackAsWritten) {
  const std::vector<std::string> fields = {"plain",    "a,b",   "say \"hi\"", "two\r\nlines",
                                           "lf\nonly", "",      " padded ",   "\"",
                                           ",",        "x\"\"y"};
  const std::string line = table_file::CsvLine(fields);
  EXPECT_TRUE(line.ends_with("\r\n"));
  EXPECT_EQ(Texts(line + table_file::CsvLine({"next"})),
            (std::vector<std::vector<std::string>>{fields, {"next"}}));
}

TEST(Csv, LineEndingsByteOrderMarkAndBlankLines) {
  const std::vector<std::vector<std::string>> expected = {{"a", "b"}, {"c", ""}};
  EXPECT_EQ(Texts("a,b\r\nc,\r\n"), expected);
  EXPECT_EQ(Texts("a,b\nc,"), expected);
  EXPECT_EQ(Texts("\xEF\xBB\xBF"
                  "a,b\n\n\r\nc,\n"),
            expected);
}

TEST(Csv, CellsKnowWhereTheyBegan) {
  auto read = table_file::ReadCsv("a,\"x\ny\",bc\nd,e");
  const auto& rows = std::get<std::vector<table_file::CsvRow>>(read);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0][1].at.line, 1);
  EXPECT_EQ(rows[0][1].at.column, 3);
  // A quoted line break moves the lines on.
  EXPECT_EQ(rows[0][2].at.line, 2);
  EXPECT_EQ(rows[0][2].at.column, 4);
  EXPECT_EQ(rows[1][1].at.line, 3);
  EXPECT_EQ(rows[1][1].at.column, 3);
}

TEST(Csv, FaultsAreNamedByLineAndColumn) {
  table_file::CsvError error = ErrorOf("a,b\nc,d\"e\n");
  EXPECT_EQ(error.at.line, 2);
  EXPECT_EQ(error.at.column, 4);

  error = ErrorOf("a,b\nc,\"de\"f,g\n");
  EXPECT_EQ(error.at.line, 2);
  EXPECT_EQ(error.at.column, 7);

  // An unclosed quote is named where it opened, not at the end of the file.
  error = ErrorOf("a\n\"open,\nmore\nlines\n");
  EXPECT_EQ(error.at.line, 2);
  EXPECT_EQ(error.at.column, 1);

  error = ErrorOf("a,b\rc\n");
  EXPECT_EQ(error.at.line, 1);
  EXPECT_EQ(error.at.column, 4);
}

}  // namespace
