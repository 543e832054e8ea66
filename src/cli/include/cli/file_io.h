// Whole files through the platform's file system, and the names of the files
// vk38 writes into a folder.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "protocol/panel_address.h"

namespace cli {

// The file's bytes, or nothing when it cannot be opened or read, or holds
// more than `limit` bytes.
std::optional<std::string> ReadWholeFile(platform::FileSystem& files, const std::string& path,
                                         std::size_t limit);
// Writes and closes; the failure text of the File Operate page, or nothing.
std::optional<std::string> WriteWholeFile(platform::FileSystem& files, const std::string& path,
                                          std::span<const std::uint8_t> bytes);

// True when `path` names an existing folder.
bool IsFolder(const std::string& path);
// Makes the folder and its parents; false when it is not there afterwards.
bool MakeFolder(const std::string& path);
// MakeFolder for a folder vk38 writes into; says so on standard error when
// it cannot be made.
bool PrepareFolder(const std::string& folder);
// "<folder>/<address><suffix>".
std::string PanelFilePath(const std::string& folder, PanelAddress panel, std::string_view suffix);
// "_YYYYMMDD-HHMMSS" of the local time now, for names that must not repeat.
std::string TimeStamp();

}  // namespace cli
