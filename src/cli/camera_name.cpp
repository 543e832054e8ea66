#include "cli/camera_name.h"

#include <fmt/format.h>

namespace cli {

namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

// The code point that starts `text` and its length in bytes, or nothing
// when `text` does not start with a well-formed UTF-8 sequence.
struct CodePoint {
  char32_t value;
  std::size_t length;
};
std::optional<CodePoint> FirstCodePoint(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return CodePoint{lead, 1};
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
  if (length == 0 || lead > 0xF4 || text.size() < length) return std::nullopt;
  char32_t value = lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return std::nullopt;
    value = (value << 6) | (byte(i) & 0x3F);
  }
  constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (value < kShortest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
    return std::nullopt;
  }
  return CodePoint{value, length};
}

bool IsControl(char32_t c) { return c < 0x20 || (c >= 0x7F && c < 0xA0); }

bool IsPlain(const std::optional<CodePoint>& c) {
  return c && !IsControl(c->value) && c->value != kReplacementCharacter;
}

// A spreadsheet takes a cell that begins with one of these for a formula.
bool StartsAFormula(char c) { return c == '=' || c == '+' || c == '-' || c == '@'; }

std::optional<int> HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return std::nullopt;
}

}  // namespace

bool IsPlainText(std::string_view bytes) { return !TextFault(bytes); }

std::optional<std::string> TextFault(std::string_view text) {
  while (!text.empty()) {
    const std::optional<CodePoint> c = FirstCodePoint(text);
    if (!c) return "is no valid UTF-8 text";
    if (c->value == kReplacementCharacter) {
      return "holds U+FFFD, the mark a conversion leaves where it lost a byte";
    }
    if (IsControl(c->value)) return "holds a control character";
    text.remove_prefix(c->length);
  }
  return std::nullopt;
}

std::string NameCell(std::string_view name) {
  std::string cell;
  for (std::size_t at = 0; at < name.size();) {
    const std::optional<CodePoint> c = FirstCodePoint(name.substr(at));
    if (name[at] == '\\') {
      cell += "\\\\";
    } else if (IsPlain(c) && !(at == 0 && StartsAFormula(name[at]))) {
      cell += name.substr(at, c->length);
      at += c->length;
      continue;
    } else {
      cell += fmt::format("\\x{:02x}", static_cast<unsigned char>(name[at]));
    }
    ++at;
  }
  return cell;
}

std::optional<std::string> NameFromCell(std::string_view cell, std::string& error) {
  if (const std::optional<std::string> fault = TextFault(cell)) {
    error = fmt::format("the camera name {}", *fault);
    return std::nullopt;
  }
  std::string name;
  for (std::size_t at = 0; at < cell.size(); ++at) {
    if (cell[at] != '\\') {
      name += cell[at];
      continue;
    }
    if (cell.substr(at + 1, 1) == "\\") {
      name += '\\';
      ++at;
      continue;
    }
    const std::optional<int> high =
        at + 3 < cell.size() && cell[at + 1] == 'x' ? HexDigit(cell[at + 2]) : std::nullopt;
    const std::optional<int> low = high ? HexDigit(cell[at + 3]) : std::nullopt;
    if (!low) {
      error = "a backslash in a camera name begins \\\\ or \\xHH";
      return std::nullopt;
    }
    name += static_cast<char>(*high * 16 + *low);
    at += 3;
  }
  return name;
}

}  // namespace cli
