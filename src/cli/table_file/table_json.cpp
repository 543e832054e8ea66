// The camera table as JSON: {"cameras": [{"camera": "C001", ...}, ...],
// "switcher": {...}}, with the same fields as the CSV columns.
#include <algorithm>
#include <functional>
#include <optional>
#include <set>

#include <fmt/format.h>
#include <nlohmann/json.hpp>

#include "table_file/camera_name.h"
#include "table_file/table_columns.h"
#include "table_file/table_file.h"

namespace table_file {

namespace {

constexpr std::array<std::string_view, 2> kDocumentKeys = {"cameras", "switcher"};
constexpr std::array<std::string_view, 3> kSwitcherKeys = {"type", "mac", "address"};

std::vector<std::string_view> CameraKeys() {
  std::vector<std::string_view> keys(kJsonKeys.begin(), kJsonKeys.end());
  keys.insert(keys.begin() + kName + 1, kNameBytesKey);
  return keys;
}

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

// A key of `object` that is not among `known`, refused with where it is.
template <typename Keys>
std::optional<TableFileError> UnknownKey(const nlohmann::json& object, const Keys& known,
                                         std::string_view where, std::string_view what) {
  for (const auto& [key, value] : object.items()) {
    if (std::find(known.begin(), known.end(), key) != known.end()) continue;
    return TableFileError{fmt::format("{}\"{}\" is no key of {}; the keys are: {}", where, key,
                                      what, NameList(known)),
                          std::nullopt};
  }
  return std::nullopt;
}

// The name of a camera entry: its bytes from "nameBytes", or its text.
bool ReadName(RowReader& reader, const nlohmann::json& entry) {
  const bool hasText = entry.contains("name");
  if (!entry.contains(kNameBytesKey)) {
    if (!hasText) return true;
    const std::optional<std::string> text = FieldText(entry["name"]);
    if (!text) return reader.Fail("name is no text", std::nullopt);
    if (const std::optional<std::string> fault = TextFault(*text)) {
      return reader.Fail("the camera name " + *fault, std::nullopt);
    }
    return reader.Name(*text, std::nullopt);
  }
  if (hasText) return reader.Fail("\"name\" and \"nameBytes\" are both given", std::nullopt);
  const std::optional<std::string> hex = FieldText(entry[kNameBytesKey]);
  const std::optional<std::string> bytes = hex ? NameFromHex(*hex) : std::nullopt;
  if (!bytes) return reader.Fail(std::string(kNameBytesKey) + " is not hex", std::nullopt);
  return reader.Name(*bytes, std::nullopt);
}

// One entry of the "cameras" list, or the switcher.
bool ReadJsonEntry(RowReader& reader, const nlohmann::json& entry, std::string_view label) {
  if (!reader.Begin(label, std::nullopt)) return false;
  for (const SetColumn& set : kSetColumns) {
    if (set.column == kName) {
      if (!ReadName(reader, entry)) return false;
      continue;
    }
    const std::string key(kJsonKeys[set.column]);
    if (!entry.contains(key)) continue;
    const std::optional<std::string> text = FieldText(entry[key]);
    if (!text) return reader.Fail(key + " is neither text nor a number", std::nullopt);
    if (!(reader.*set.read)(*text, std::nullopt)) return false;
  }
  return true;
}

// Where the parser is, for a key given twice: each open object's keys so
// far, and the path of each open object or list ("cameras[3]").
class KeyWatch {
 public:
  bool operator()(int /*depth*/, nlohmann::json::parse_event_t event, nlohmann::json& parsed) {
    using Event = nlohmann::json::parse_event_t;
    switch (event) {
      case Event::object_start:
      case Event::array_start:
        open_.push_back({.path = ChildPath(), .isList = event == Event::array_start});
        break;
      case Event::object_end:
      case Event::array_end:
        if (!open_.empty()) open_.pop_back();
        break;
      case Event::key:
        Key(parsed.get<std::string>());
        break;
      case Event::value:
        ChildPath();  // a value in a list counts as its next item
        break;
    }
    return true;
  }

  // "cameras[3]: \"name\" is given twice", for the first key given twice.
  const std::optional<std::string>& Twice() const { return twice_; }

 private:
  struct Level {
    std::string path;
    bool isList = false;
    std::size_t items = 0;
    std::set<std::string> keys{};
    std::string lastKey{};
  };

  // The path of the value that begins now, in the object or list open.
  std::string ChildPath() {
    if (open_.empty()) return {};
    Level& parent = open_.back();
    if (parent.isList) return parent.path + "[" + std::to_string(parent.items++) + "]";
    return parent.path.empty() ? parent.lastKey : parent.path + "." + parent.lastKey;
  }

  void Key(std::string key) {
    if (open_.empty()) return;
    Level& object = open_.back();
    if (!object.keys.insert(key).second && !twice_) {
      twice_ = (object.path.empty() ? "" : object.path + ": ") + "\"" + key + "\" is given twice";
    }
    object.lastKey = std::move(key);
  }

  std::vector<Level> open_;
  std::optional<std::string> twice_;
};

std::variant<nlohmann::json, TableFileError> Parse(std::string_view text) {
  try {
    // A key given twice would leave only its last value: part of the file
    // would vanish without a word, so it is refused with its place.
    KeyWatch watch;
    nlohmann::json document = nlohmann::json::parse(text, std::ref(watch));
    if (watch.Twice()) return TableFileError{*watch.Twice(), std::nullopt};
    return document;
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
}

std::optional<TableFileError> ReadCameras(RowReader& reader, const nlohmann::json& document) {
  const nlohmann::json cameras = document.value("cameras", nlohmann::json::array());
  if (!cameras.is_array()) return TableFileError{"\"cameras\" is not a list", std::nullopt};
  const std::vector<std::string_view> keys = CameraKeys();
  for (std::size_t i = 0; i < cameras.size(); ++i) {
    const nlohmann::json& entry = cameras[i];
    const std::string where = "cameras[" + std::to_string(i) + "]";
    const std::optional<std::string> label =
        entry.is_object() && entry.contains("camera") ? FieldText(entry["camera"]) : std::nullopt;
    if (!label) return TableFileError{where + " has no \"camera\" text", std::nullopt};
    if (auto unknown = UnknownKey(entry, keys, where + ": ", "a camera")) return unknown;
    if (!ReadJsonEntry(reader, entry, *label)) {
      return TableFileError{where + ": " + reader.Error()->message, std::nullopt};
    }
  }
  return std::nullopt;
}

std::optional<TableFileError> ReadSwitcher(RowReader& reader, const nlohmann::json& document) {
  const nlohmann::json switcher = document.value("switcher", nlohmann::json::object());
  if (!switcher.is_object()) return TableFileError{"\"switcher\" is not an object", std::nullopt};
  if (auto unknown = UnknownKey(switcher, kSwitcherKeys, "switcher: ", "the switcher")) {
    return unknown;
  }
  if (!ReadJsonEntry(reader, switcher, kSwitcherLabel)) {
    return TableFileError{"switcher: " + reader.Error()->message, std::nullopt};
  }
  return std::nullopt;
}

}  // namespace

std::string TableJson(const protocol::IpSettingRecord& table) {
  const auto rows = TableRows(table);
  nlohmann::ordered_json cameras = nlohmann::ordered_json::array();
  for (int c = 0; c < protocol::kCameraCount; ++c) {
    const auto& row = rows[static_cast<std::size_t>(c)];
    nlohmann::ordered_json camera;
    for (std::size_t i = 0; i < row.size(); ++i) {
      if (i == kName) {
        PutNameJson(camera, std::string(kJsonKeys[i]), row[i]);
      } else {
        camera[std::string(kJsonKeys[i])] = row[i];
      }
    }
    camera["httpPort"] = protocol::HttpPort(table.CamAddr(c));
    camera["cameraSelect"] = row[kSelect] == "Yes";
    cameras.push_back(std::move(camera));
  }
  const auto& sw = rows.back();
  nlohmann::ordered_json document;
  document["cameras"] = std::move(cameras);
  document["switcher"] = {{"type", sw[kType]}, {"mac", sw[kMac]}, {"address", sw[kAddress]}};
  // Names that are not plain text went in as hex above; nothing is replaced.
  return document.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

TableFileRead ReadTableJson(std::string_view text) {
  auto parsed = Parse(text);
  if (const TableFileError* error = std::get_if<TableFileError>(&parsed)) return *error;
  const nlohmann::json& document = std::get<nlohmann::json>(parsed);
  if (document.is_array()) {
    return TableFileError{
        "the document is a list; a table file is an object with \"cameras\" "
        "and \"switcher\"",
        TextPosition{}};
  }
  if (!document.is_object()) return TableFileError{"the document is not an object", TextPosition{}};
  if (auto unknown = UnknownKey(document, kDocumentKeys, "", "a table file")) return *unknown;

  RowReader reader;
  if (auto error = ReadCameras(reader, document)) return *error;
  if (auto error = ReadSwitcher(reader, document)) return *error;
  return reader.TakeChanges();
}

}  // namespace table_file
