// The camera table in the Setting page's words, one row per camera and one
// for the switcher, and what a file in that form asks to change.
//
// Columns: CAMERA No, Group, Type, CAMERA Name, SW Input, MAC Address,
// IP Address, HTTP Port, CAMERA Select, Alarm. "CAMERA Select" says whether
// the camera takes part in the page's CAMERA Select exchange ("Yes" for
// NoAsign, Network and IP_Direct cameras). A file sets Type, CAMERA Name,
// SW Input, IP Address and HTTP Port of cameras and Type and IP Address of
// the switcher; the other columns are for reading only and are not checked.
// An empty cell means the same in every column: the panel's value stays.
// Names and alarm texts are shown without the blanks that pad them.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/ip_setting_record.h"
#include "rules/camera_table_words.h"
#include "table_file/csv.h"

namespace table_file {

inline constexpr std::array<std::string_view, 10> kTableColumns = {
    "CAMERA No",   "Group",      "Type",      "CAMERA Name",   "SW Input",
    "MAC Address", "IP Address", "HTTP Port", "CAMERA Select", "Alarm"};
inline constexpr std::string_view kSwitcherLabel = "SW";

// One row's fields as words: camera rows 0 to 99, then the switcher's.
std::vector<std::array<std::string, kTableColumns.size()>> TableRows(
    const protocol::IpSettingRecord& table);

// What one row of a file sets; an absent field stays as the panel has it.
struct RowChange {
  int entry = 0;  // camera 0 to 99, or the switcher (kCameraCount)
  std::optional<std::uint8_t> kind{};
  std::optional<std::string> name{};
  std::optional<int> input{};  // 0 for none, 1 to 5
  std::optional<protocol::PanelAddress> address{};
  std::optional<std::uint16_t> port{};
};

struct TableFileError {
  std::string message;
  std::optional<TextPosition> at;  // where in the file, when known
};

// The text of an error with its place: "line 3, column 7: ...".
std::string ErrorText(const TableFileError& error);

// Builds RowChanges from field words, checking each against the page's
// lists and limits; records the first error with the place of its cell.
class RowReader {
 public:
  // Starts a row for the entry its label names; false (error recorded) when
  // the label names none or the entry came before.
  bool Begin(std::string_view label, std::optional<TextPosition> at);
  // Each field of the row. An empty field, whichever it is, leaves what the
  // panel has there as it is.
  bool Type(std::string_view word, std::optional<TextPosition> at);
  bool Name(std::string_view text, std::optional<TextPosition> at);
  bool SwInput(std::string_view word, std::optional<TextPosition> at);
  bool Address(std::string_view text, std::optional<TextPosition> at);
  bool Port(std::string_view text, std::optional<TextPosition> at);

  // Records an error found outside the fields; always false.
  bool Fail(std::string message, std::optional<TextPosition> at);

  std::vector<RowChange> TakeChanges() { return std::move(changes_); }
  const std::optional<TableFileError>& Error() const { return error_; }

 private:
  RowChange& Row() { return changes_.back(); }
  bool IsSwitcher() { return Row().entry == protocol::kCameraCount; }

  std::vector<RowChange> changes_;
  std::array<bool, protocol::kCameraCount + 1> seen_{};
  std::array<int, 6> inputHolder_{};  // the entry + 1 that a file row put on each input
  std::optional<TableFileError> error_;
};

// Applies the changes to a table read from the panel. A field
// that already holds what the file says is not touched, so that a file
// written by "table get" puts back the very bytes it came from.
void ApplyRowChanges(const std::vector<RowChange>& changes, protocol::IpSettingRecord& table);

}  // namespace table_file
