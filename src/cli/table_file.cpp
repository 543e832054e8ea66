#include "cli/table_file.h"

#include <algorithm>
#include <optional>

#include <nlohmann/json.hpp>

#include "cli/csv.h"

namespace cli {

namespace {

enum Column { kNo, kGroup, kType, kName, kInput, kMac, kAddress, kPort, kSelect, kAlarm };

// JSON keys, in column order.
constexpr std::array<std::string_view, kTableColumns.size()> kJsonKeys = {
    "camera", "group",   "type",     "name",         "swInput",
    "mac",    "address", "httpPort", "cameraSelect", "alarm"};

using CellReader = bool (RowReader::*)(std::string_view, std::optional<TextPosition>);
struct SetColumn {
  Column column;
  CellReader read;
};
// The columns a file sets, in the order they are read.
constexpr std::array<SetColumn, 5> kSetColumns = {{{kType, &RowReader::Type},
                                                   {kName, &RowReader::Name},
                                                   {kInput, &RowReader::SwInput},
                                                   {kAddress, &RowReader::Address},
                                                   {kPort, &RowReader::Port}}};

// Where each caption is in the header row, or nothing for a missing column.
using ColumnPlaces = std::array<std::optional<std::size_t>, kTableColumns.size()>;

std::variant<ColumnPlaces, TableFileError> ReadHeader(const CsvRow& header) {
  ColumnPlaces places;
  for (std::size_t i = 0; i < header.size(); ++i) {
    const auto known = std::find(kTableColumns.begin(), kTableColumns.end(), header[i].text);
    if (known == kTableColumns.end()) continue;
    std::optional<std::size_t>& place =
        places[static_cast<std::size_t>(known - kTableColumns.begin())];
    if (place)
      return TableFileError{"the column \"" + header[i].text + "\" comes twice", header[i].at};
    place = i;
  }
  if (!places[kNo]) {
    return TableFileError{"the header row has no \"CAMERA No\" column", header.front().at};
  }
  return places;
}

// A camera name that is not UTF-8 (a panel keeps bytes, not text) travels
// in JSON as the hex of its bytes under this key, so that get then set
// writes back the same bytes.
constexpr const char* kNameBytesKey = "nameBytes";

// Judged by the JSON writer itself, so that what it takes as text is
// exactly what it can write.
bool IsUtf8(std::string_view text) {
  try {
    (void)nlohmann::json(std::string(text)).dump();
    return true;
  } catch (const nlohmann::json::type_error&) {
    return false;
  }
}

std::string Hex(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 0x0F];
  }
  return hex;
}

std::optional<std::string> FromHex(std::string_view hex) {
  const auto digit = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  if (hex.size() % 2 != 0) return std::nullopt;
  std::string bytes;
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    const int high = digit(hex[i]);
    const int low = digit(hex[i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    bytes += static_cast<char>(high * 16 + low);
  }
  return bytes;
}

}  // namespace

std::string TableCsv(const IpSettingRecord& table) {
  std::string text = CsvLine(std::vector<std::string>(kTableColumns.begin(), kTableColumns.end()));
  for (const auto& row : TableRows(table)) {
    text += CsvLine(std::vector<std::string>(row.begin(), row.end()));
  }
  return text;
}

std::string TableJson(const IpSettingRecord& table) {
  const auto rows = TableRows(table);
  nlohmann::ordered_json cameras = nlohmann::ordered_json::array();
  for (int c = 0; c < kCameraCount; ++c) {
    const auto& row = rows[static_cast<std::size_t>(c)];
    nlohmann::ordered_json camera;
    for (std::size_t i = 0; i < row.size(); ++i) {
      if (i == kName && !IsUtf8(row[i])) {
        camera[kNameBytesKey] = Hex(row[i]);
      } else {
        camera[std::string(kJsonKeys[i])] = row[i];
      }
    }
    camera["httpPort"] = HttpPort(table.CamAddr(c));
    camera["cameraSelect"] = row[kSelect] == "Yes";
    cameras.push_back(std::move(camera));
  }
  const auto& sw = rows.back();
  nlohmann::ordered_json document;
  document["cameras"] = std::move(cameras);
  document["switcher"] = {{"type", sw[kType]}, {"mac", sw[kMac]}, {"address", sw[kAddress]}};
  // Names that are not UTF-8 went in as hex above; nothing is replaced.
  return document.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

TableFileRead ReadTableCsv(std::string_view text) {
  auto parsed = ReadCsv(text);
  if (const CsvError* error = std::get_if<CsvError>(&parsed)) {
    return TableFileError{error->message, error->at};
  }
  const std::vector<CsvRow>& rows = std::get<std::vector<CsvRow>>(parsed);
  if (rows.empty()) return TableFileError{"the file holds no header row", TextPosition{}};
  auto header = ReadHeader(rows.front());
  if (const TableFileError* error = std::get_if<TableFileError>(&header)) return *error;
  const ColumnPlaces& places = std::get<ColumnPlaces>(header);

  RowReader reader;
  for (std::size_t r = 1; r < rows.size(); ++r) {
    const CsvRow& row = rows[r];
    if (row.size() != rows.front().size()) {
      return TableFileError{"the row has " + std::to_string(row.size()) + " fields, the header " +
                                std::to_string(rows.front().size()),
                            row.front().at};
    }
    const CsvCell& label = row[*places[kNo]];
    if (!reader.Begin(label.text, label.at)) break;
    for (const SetColumn& set : kSetColumns) {
      if (!places[set.column]) continue;
      const CsvCell& cell = row[*places[set.column]];
      if (!(reader.*set.read)(cell.text, cell.at)) break;
    }
    if (reader.Error()) break;
  }
  if (reader.Error()) return *reader.Error();
  return reader.TakeChanges();
}

namespace {

// Line and column of a byte offset.
TextPosition PositionOf(std::string_view text, std::size_t offset) {
  TextPosition at;
  for (std::size_t i = 0; i < offset && i < text.size(); ++i) {
    if (text[i] == '\n') {
      ++at.line;
      at.column = 1;
    } else {
      ++at.column;
    }
  }
  return at;
}

// A field's text for the reader: strings as they are, numbers in decimal.
std::optional<std::string> FieldText(const nlohmann::json& value) {
  if (value.is_string()) return value.get<std::string>();
  if (value.is_number_unsigned()) return std::to_string(value.get<std::uint64_t>());
  return std::nullopt;
}

// One entry of the "cameras" list, or the switcher.
bool ReadJsonEntry(RowReader& reader, const nlohmann::json& entry, std::string_view label) {
  if (!reader.Begin(label, std::nullopt)) return false;
  for (const SetColumn& set : kSetColumns) {
    const std::string key(kJsonKeys[set.column]);
    if (set.column == kName && entry.contains(kNameBytesKey)) {
      const std::optional<std::string> hex = FieldText(entry[kNameBytesKey]);
      const std::optional<std::string> bytes = hex ? FromHex(*hex) : std::nullopt;
      if (!bytes) return reader.Fail(std::string(kNameBytesKey) + " is not hex", std::nullopt);
      if (!reader.Name(*bytes, std::nullopt)) return false;
      continue;
    }
    if (!entry.contains(key)) continue;
    const std::optional<std::string> text = FieldText(entry[key]);
    if (!text) return reader.Fail(key + " is neither text nor a number", std::nullopt);
    if (!(reader.*set.read)(*text, std::nullopt)) return false;
  }
  return true;
}

}  // namespace

TableFileRead ReadTableJson(std::string_view text) {
  nlohmann::json document;
  try {
    document = nlohmann::json::parse(text);
  } catch (const nlohmann::json::parse_error& error) {
    // The byte the parser stopped at: one past the fault.
    const std::size_t at = error.byte > 0 ? error.byte - 1 : 0;
    std::string message = error.what();
    const std::size_t detail = message.find("syntax error");
    if (detail != std::string::npos) message.erase(0, detail);
    return TableFileError{message, PositionOf(text, at)};
  } catch (const nlohmann::json::exception& error) {
    // Well-formed but beyond what a value can hold, such as a number too
    // large for any type; the parser names the token, not its place.
    std::string message = error.what();
    const std::size_t detail = message.find("] ");
    if (detail != std::string::npos) message.erase(0, detail + 2);
    return TableFileError{message, std::nullopt};
  }
  if (!document.is_object()) return TableFileError{"the document is not an object", TextPosition{}};

  RowReader reader;
  const nlohmann::json cameras = document.value("cameras", nlohmann::json::array());
  if (!cameras.is_array()) return TableFileError{"\"cameras\" is not a list", std::nullopt};
  for (std::size_t i = 0; i < cameras.size(); ++i) {
    const nlohmann::json& entry = cameras[i];
    const std::string where = "cameras[" + std::to_string(i) + "]";
    const std::optional<std::string> label =
        entry.is_object() && entry.contains("camera") ? FieldText(entry["camera"]) : std::nullopt;
    if (!label) return TableFileError{where + " has no \"camera\" text", std::nullopt};
    if (!ReadJsonEntry(reader, entry, *label)) {
      return TableFileError{where + ": " + reader.Error()->message, std::nullopt};
    }
  }
  const nlohmann::json switcher = document.value("switcher", nlohmann::json::object());
  if (!switcher.is_object()) return TableFileError{"\"switcher\" is not an object", std::nullopt};
  if (!ReadJsonEntry(reader, switcher, kSwitcherLabel)) {
    return TableFileError{"switcher: " + reader.Error()->message, std::nullopt};
  }
  return reader.TakeChanges();
}

TableFileRead ReadTableFile(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first != std::string_view::npos && text[first] == '{') return ReadTableJson(text);
  return ReadTableCsv(text);
}

}  // namespace cli
