#include "table_file/csv.h"

#include "table_file/utf8.h"

namespace table_file {

namespace {

// Reads one row at a time; `at` follows every byte it takes.
class CsvReader {
 public:
  explicit CsvReader(std::string_view text)
      : text_(WithoutByteOrderMark(text)), separator_(CsvSeparator(text)) {}

  std::variant<std::vector<CsvRow>, CsvError> ReadAll() {
    if (text_.starts_with("\xFF\xFE") || text_.starts_with("\xFE\xFF")) {
      return CsvError{"the file is UTF-16 text; save it as CSV in UTF-8", at_};
    }
    std::vector<CsvRow> rows;
    while (!AtEnd()) {
      if (AtLineEnd()) {
        SkipLineEnd();
        continue;
      }
      CsvRow row;
      if (std::optional<CsvError> error = ReadRow(row)) return *error;
      rows.push_back(std::move(row));
    }
    return rows;
  }

 private:
  bool AtEnd() const { return next_ >= text_.size(); }
  char Peek() const { return text_[next_]; }
  bool AtLineEnd() const {
    return Peek() == '\n' ||
           (Peek() == '\r' && next_ + 1 < text_.size() && text_[next_ + 1] == '\n');
  }

  char Take() {
    const char c = text_[next_++];
    if (c == '\n') {
      ++at_.line;
      at_.column = 1;
    } else {
      ++at_.column;
    }
    return c;
  }

  void SkipLineEnd() {
    if (Peek() == '\r') Take();
    Take();
  }

  std::optional<CsvError> ReadRow(CsvRow& row) {
    for (;;) {
      CsvCell cell{.text = {}, .at = at_};
      std::optional<CsvError> error =
          !AtEnd() && Peek() == '"' ? ReadQuoted(cell.text) : ReadPlain(cell.text);
      if (error) return error;
      row.push_back(std::move(cell));
      if (AtEnd()) return std::nullopt;
      if (AtLineEnd()) {
        SkipLineEnd();
        return std::nullopt;
      }
      Take();  // the separator
    }
  }

  std::optional<CsvError> ReadPlain(std::string& text) {
    while (!AtEnd() && Peek() != separator_ && !AtLineEnd()) {
      if (Peek() == '"') {
        return CsvError{"a quote inside a field that does not begin with one", at_};
      }
      if (Peek() == '\r') return CsvError{"a CR that does not end a line", at_};
      text += Take();
    }
    return std::nullopt;
  }

  std::optional<CsvError> ReadQuoted(std::string& text) {
    const TextPosition opening = at_;
    Take();
    for (;;) {
      if (AtEnd()) return CsvError{"a quoted field that is never closed", opening};
      const char c = Take();
      if (c != '"') {
        text += c;
      } else if (!AtEnd() && Peek() == '"') {
        text += Take();
      } else {
        break;
      }
    }
    if (!AtEnd() && Peek() != separator_ && !AtLineEnd()) {
      return CsvError{"text after the closing quote of a field", at_};
    }
    return std::nullopt;
  }

  std::string_view text_;
  char separator_;
  std::size_t next_ = 0;
  TextPosition at_;
};

bool NeedsQuotes(std::string_view field) {
  if (field.find_first_of(",\"\r\n") != std::string_view::npos) return true;
  return !field.empty() && (field.front() == ' ' || field.back() == ' ');
}

}  // namespace

char CsvSeparator(std::string_view text) {
  bool quoted = false;
  for (const char c : text.substr(0, text.find('\n'))) {
    if (c == '"') quoted = !quoted;
    if (!quoted && (c == ',' || c == ';' || c == '\t')) return c;
  }
  return ',';
}

std::variant<std::vector<CsvRow>, CsvError> ReadCsv(std::string_view text) {
  return CsvReader(text).ReadAll();
}

std::string CsvLine(const std::vector<std::string>& fields) {
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) line += ',';
    if (!NeedsQuotes(fields[i])) {
      line += fields[i];
      continue;
    }
    line += '"';
    for (char c : fields[i]) {
      if (c == '"') line += '"';
      line += c;
    }
    line += '"';
  }
  return line + "\r\n";
}

}  // namespace table_file
