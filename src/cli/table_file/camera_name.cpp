#include "table_file/camera_name.h"

#include <fmt/format.h>

#include "table_file/utf8.h"

namespace table_file {

namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

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

std::string NameHex(std::string_view name) {
  std::string hex;
  for (const char c : name) hex += fmt::format("{:02x}", static_cast<unsigned char>(c));
  return hex;
}

std::optional<std::string> NameFromHex(std::string_view hex) {
  if (hex.size() % 2 != 0) return std::nullopt;
  std::string bytes;
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    const std::optional<int> high = HexDigit(hex[i]);
    const std::optional<int> low = HexDigit(hex[i + 1]);
    if (!high || !low) return std::nullopt;
    bytes += static_cast<char>(*high * 16 + *low);
  }
  return bytes;
}

void PutNameJson(nlohmann::ordered_json& object, const std::string& key, std::string_view name) {
  if (IsPlainText(name)) {
    object[key] = name;
  } else {
    object[key + "Bytes"] = NameHex(name);
  }
}

std::string_view WithoutPadding(std::string_view field) {
  const std::size_t end = field.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view() : field.substr(0, end + 1);
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

}  // namespace table_file
