#include "cli/table_file.h"

namespace cli {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

bool LooksLikeJson(std::string_view text) {
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  return first != std::string_view::npos && (text[first] == '{' || text[first] == '[');
}

TableFileRead ReadTableFile(std::string_view text) {
  return LooksLikeJson(text) ? ReadTableJson(text) : ReadTableCsv(text);
}

}  // namespace cli
