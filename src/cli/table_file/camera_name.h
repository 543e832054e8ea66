// A camera name in the table files. A panel keeps a name as up to 8 bytes,
// which need not be text. A name that is plain text (UTF-8 without control
// characters or U+FFFD) travels as it is; any other travels in a form that
// survives a spreadsheet and comes back byte for byte. In CSV: \xHH for each
// byte that is no plain text, \\ for a backslash, and a leading = + - or @
// as \xHH, so that no spreadsheet takes the name for a formula. In JSON:
// the hex of its bytes under "nameBytes".
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace table_file {

// True when `bytes` are UTF-8 text without control characters or U+FFFD.
bool IsPlainText(std::string_view bytes);

// Why `text`, read from a file as a name, is no text vk38 takes: invalid
// UTF-8, a control character, or U+FFFD (a byte some conversion lost).
std::optional<std::string> TextFault(std::string_view text);

// The CSV cell for a name, and the name a cell stands for (nothing, with
// the reason in `error`, when it stands for none).
std::string NameCell(std::string_view name);
std::optional<std::string> NameFromCell(std::string_view cell, std::string& error);

// The hex of a name's bytes ("nameBytes" in JSON), and the bytes that hex
// stands for (nothing when it is not pairs of hex digits).
std::string NameHex(std::string_view name);
std::optional<std::string> NameFromHex(std::string_view hex);

// A name as JSON gives it, under `key` of `object`: as text when it is
// plain text, otherwise the hex of its bytes under `key` + "Bytes".
void PutNameJson(nlohmann::ordered_json& object, const std::string& key, std::string_view name);

// A field of the panel's (a name, an alarm text) without the blanks that
// pad it to its fixed width.
std::string_view WithoutPadding(std::string_view field);

}  // namespace table_file
