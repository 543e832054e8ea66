// Reading UTF-8 one code point at a time, as the table files and the image
// check need it: well-formed sequences only (shortest forms, no surrogates,
// nothing above U+10FFFF).
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace table_file {

struct CodePoint {
  char32_t value;
  std::size_t length;  // its bytes
};

// The code point that `text` starts with, or nothing when `text` does not
// start with a well-formed sequence.
std::optional<CodePoint> FirstCodePoint(std::string_view text);

// C0 and C1 controls and DEL.
bool IsControl(char32_t c);

// `text` without the byte order mark that an editor or a spreadsheet may
// put before UTF-8 text.
std::string_view WithoutByteOrderMark(std::string_view text);

}  // namespace table_file
