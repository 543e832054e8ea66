#include "table_file/table_rows.h"

#include <algorithm>
#include <charconv>

#include <fmt/format.h>

#include "rules/camera_table_edits.h"
#include "rules/camera_table_texts.h"
#include "table_file/camera_name.h"

namespace table_file {

namespace {

// The item index of `word` among the first `count` items, or nothing.
template <std::size_t N>
std::optional<int> ItemIndex(const std::array<std::string_view, N>& items, std::string_view word,
                             std::size_t count = N) {
  const auto end = items.begin() + static_cast<std::ptrdiff_t>(count);
  const auto found = std::find(items.begin(), end, word);
  if (found == end) return std::nullopt;
  return static_cast<int>(found - items.begin());
}

std::string KindWord(std::uint8_t kind, std::size_t count) {
  // A code without an item shows as no selection, as on the page.
  return kind < count ? std::string(rules::kCameraTypes[kind]) : std::string();
}

std::optional<unsigned> Number(std::string_view text, unsigned limit) {
  unsigned value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || value > limit) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

std::vector<std::array<std::string, kTableColumns.size()>> TableRows(
    const protocol::IpSettingRecord& table) {
  std::vector<std::array<std::string, kTableColumns.size()>> rows;
  for (int c = 0; c < protocol::kCameraCount; ++c) {
    const protocol::ConstAddrField entry = table.CamAddr(c);
    rows.push_back({rules::CameraLabel(c), rules::GroupLabel(c / protocol::kCamerasPerGroup),
                    KindWord(rules::CamPageKind(table, c), rules::kCameraTypes.size()),
                    std::string(WithoutPadding(table.CamName(c))),
                    std::string(rules::kSwInputs[rules::InputOfCamera(table, c)]),
                    rules::MacText(table.CamMac(c)), protocol::AddressText(protocol::GetIp(entry)),
                    std::to_string(protocol::HttpPort(entry)),
                    rules::TakesPartInCameraSelect(table.CamKind(c)) ? "Yes" : "No",
                    std::string(WithoutPadding(rules::AlarmText(table, c)))});
  }
  rows.push_back({std::string(kSwitcherLabel), "",
                  KindWord(table.SwKind(), rules::kSwitcherTypeCount), "", "",
                  rules::MacText(table.SwMac()),
                  protocol::AddressText(protocol::GetIp(table.SwAddr())), "", "", ""});
  return rows;
}

std::string ErrorText(const TableFileError& error) {
  if (!error.at) return error.message;
  return fmt::format("line {}, column {}: {}", error.at->line, error.at->column, error.message);
}

bool RowReader::Fail(std::string message, std::optional<TextPosition> at) {
  if (!error_) error_ = TableFileError{std::move(message), at};
  return false;
}

bool RowReader::Begin(std::string_view label, std::optional<TextPosition> at) {
  int entry = 0;
  if (label == kSwitcherLabel) {
    entry = protocol::kCameraCount;
  } else {
    while (entry < protocol::kCameraCount && rules::CameraLabel(entry) != label) ++entry;
    if (entry == protocol::kCameraCount) {
      return Fail(fmt::format("\"{}\" is no camera (C001 to C100) and not \"SW\"", label), at);
    }
  }
  if (seen_[static_cast<std::size_t>(entry)]) {
    return Fail(fmt::format("{} appears a second time", label), at);
  }
  seen_[static_cast<std::size_t>(entry)] = true;
  changes_.emplace_back().entry = entry;
  return true;
}

bool RowReader::Type(std::string_view word, std::optional<TextPosition> at) {
  if (word.empty()) return true;
  const auto count = static_cast<std::size_t>(IsSwitcher() ? rules::kSwitcherTypeCount
                                                           : rules::TypeCountOf(Row().entry));
  const std::optional<int> kind = ItemIndex(rules::kCameraTypes, word, count);
  if (!kind) return Fail(fmt::format("\"{}\" is not a type this entry can have", word), at);
  Row().kind = static_cast<std::uint8_t>(*kind);
  return true;
}

bool RowReader::Name(std::string_view text, std::optional<TextPosition> at) {
  if (IsSwitcher() || text.empty()) return true;
  if (text.size() > protocol::IpSettingRecord::kNameSize - 1) {
    return Fail(fmt::format("a camera name has at most {} bytes; \"{}\" has {}",
                            protocol::IpSettingRecord::kNameSize - 1, NameCell(text), text.size()),
                at);
  }
  // A NUL would end the name in the record, and what follows it would be lost.
  if (text.find('\0') != std::string_view::npos) return Fail("a camera name holds no NUL", at);
  Row().name = std::string(text);
  return true;
}

bool RowReader::SwInput(std::string_view word, std::optional<TextPosition> at) {
  if (IsSwitcher() || word.empty()) return true;
  const std::optional<int> input = ItemIndex(rules::kSwInputs, word);
  if (!input) return Fail(fmt::format("\"{}\" is not NoAsign or INPUT1 to INPUT5", word), at);
  if (*input != 0) {
    int& holder = inputHolder_[static_cast<std::size_t>(*input)];
    if (holder != 0) {
      return Fail(fmt::format("{} is already given to {}", word, rules::CameraLabel(holder - 1)),
                  at);
    }
    holder = Row().entry + 1;
  }
  Row().input = *input;
  return true;
}

bool RowReader::Address(std::string_view text, std::optional<TextPosition> at) {
  if (text.empty()) return true;
  const std::optional<protocol::PanelAddress> address = protocol::ParseAddressText(text);
  if (!address) return Fail(fmt::format("\"{}\" is no address a.b.c.d", text), at);
  Row().address = *address;
  return true;
}

bool RowReader::Port(std::string_view text, std::optional<TextPosition> at) {
  if (IsSwitcher() || text.empty()) return true;
  const std::optional<unsigned> port = Number(text, 65535);
  if (!port) return Fail(fmt::format("\"{}\" is no port number 0 to 65535", text), at);
  Row().port = static_cast<std::uint16_t>(*port);
  return true;
}

namespace {

void ApplyInput(const RowChange& change, protocol::IpSettingRecord& table) {
  if (!change.input || *change.input == rules::InputOfCamera(table, change.entry)) return;
  // A camera shows on one input at most. Unlike the page's list, which
  // refuses an input another camera holds, a file states the inputs as they
  // are to be: its word takes the input from whichever camera had it.
  rules::ReleaseInputs(table, change.entry);
  if (*change.input != 0) {
    table.SwInput(*change.input - 1) = static_cast<std::uint8_t>(change.entry + 1);
  }
}

void ApplyCamera(const RowChange& change, protocol::IpSettingRecord& table) {
  const int c = change.entry;
  if (change.kind) rules::SetCamPageKind(table, c, *change.kind);
  // A name as the file shows it (without its padding) stays as it is, so
  // that a file written by table get puts back the very bytes it came from.
  if (change.name && *change.name != WithoutPadding(table.CamName(c))) {
    table.SetCamName(c, *change.name);
  }
  if (change.address) protocol::SetIp(table.CamAddr(c), *change.address);
  if (change.port) protocol::SetHttpPort(table.CamAddr(c), *change.port);
}

}  // namespace

void ApplyRowChanges(const std::vector<RowChange>& changes, protocol::IpSettingRecord& table) {
  // The inputs go last, each camera's moved from where the table has it at
  // that moment, so that two cameras trading inputs end up traded whatever
  // the order of their rows.
  for (const RowChange& change : changes) {
    if (change.entry == protocol::kCameraCount) {
      if (change.kind) table.SwKind() = *change.kind;
      if (change.address) protocol::SetIp(table.SwAddr(), *change.address);
    } else {
      ApplyCamera(change, table);
    }
  }
  for (const RowChange& change : changes) {
    if (change.entry < protocol::kCameraCount) ApplyInput(change, table);
  }
}

}  // namespace table_file
