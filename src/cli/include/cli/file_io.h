// Whole files read through the platform's file system ("-": standard
// input), and the names of the files vk38 writes into a folder.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "cli/panel_names.h"
#include "platform/file_system.h"

namespace cli {

// A file read whole: its bytes, or why it could not be read.
struct WholeFile {
  std::string bytes;
  std::optional<std::string> failure;  // "cannot read a.csv: No such file or directory"
};

// The bytes of the file at `path` ("-": standard input); a failure when it
// cannot be opened or read, or holds more than `limit` bytes.
WholeFile ReadWholeFile(platform::FileSystem& files, const std::string& path, std::size_t limit);

// True when `path` names an existing folder.
bool IsFolder(const std::string& path);
// Makes the folder and its parents; false when it is not there afterwards.
bool MakeFolder(const std::string& path);
// MakeFolder for a folder vk38 writes into; says so on standard error when
// it cannot be made.
bool PrepareFolder(const std::string& folder);
// "<folder>/<address><suffix>", or for a panel with a name
// "<folder>/<address>_<name><suffix>".
std::string PanelFilePath(const std::string& folder, const Panel& panel, std::string_view suffix);
// "_YYYYMMDD-HHMMSS" of the local time now, for names that should not repeat.
std::string TimeStamp();

}  // namespace cli
