#include "commands/setup/setup_file.h"

#include <variant>

#include "table_file/table_file.h"
#include "table_file/utf8.h"

namespace cli {

namespace {

// Text: UTF-8 throughout, with no control character but tab and line
// breaks, and mostly characters that show something (so that a block of
// one repeated byte is not taken for text).
bool IsText(std::string_view bytes) {
  std::size_t shown = 0;
  for (std::string_view rest = bytes; !rest.empty();) {
    const std::optional<table_file::CodePoint> point = table_file::FirstCodePoint(rest);
    if (!point) return false;
    const char32_t c = point->value;
    if (table_file::IsControl(c) && c != '\t' && c != '\r' && c != '\n') return false;
    if (c != ' ' && !table_file::IsControl(c)) ++shown;
    rest.remove_prefix(point->length);
  }
  return shown * 2 >= bytes.size();
}

}  // namespace

std::optional<std::string> NoSetupBlock(std::string_view bytes) {
  if (std::holds_alternative<std::vector<table_file::RowChange>>(
          table_file::ReadTableFile(bytes))) {
    return table_file::LooksLikeJson(bytes) ? "a camera table file (JSON), as table get writes it"
                                            : "a camera table file (CSV), as table get writes it";
  }
  if (!bytes.empty() && IsText(bytes)) return "text";
  return std::nullopt;
}

}  // namespace cli
