#include "table_file/table_file.h"

#include "table_file/utf8.h"

namespace table_file {

bool LooksLikeJson(std::string_view text) {
  text = WithoutByteOrderMark(text);
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  return first != std::string_view::npos && (text[first] == '{' || text[first] == '[');
}

TableFileRead ReadTableFile(std::string_view text) {
  return LooksLikeJson(text) ? ReadTableJson(text) : ReadTableCsv(text);
}

}  // namespace table_file
