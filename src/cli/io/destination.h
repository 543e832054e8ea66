// Where -o puts the panels' data, and the names of the files vk38 writes
// into a folder.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "panels/panel_names.h"
#include "platform/file_system.h"

namespace cli {

// Where -o puts the panels' data.
enum class Destination {
  kStream,  // standard output ("-"), or a device, pipe or socket that has the name
  kFile,    // one panel's file
  kFolder,  // a folder of files named by panel
};
// What -o `output` is for a command that writes `panelCount` panels' data:
// a stream as above; a folder when it ends in a path separator, names a
// folder, or (`filesTaken`: the command takes a file) there are several
// panels; otherwise a file, or for a command that takes no file a folder.
Destination DestinationOf(platform::FileSystem& files, const std::string& output,
                          std::size_t panelCount, bool filesTaken);
// Makes the folder (and the folders above it) for the data; says on
// standard error why not when it cannot be made.
bool PrepareFolder(platform::FileSystem& files, const std::string& folder);
// "<folder>/<address><suffix>", or for a panel with a name
// "<folder>/<address>_<name><suffix>".
std::string PanelFilePath(const std::string& folder, const Panel& panel, std::string_view suffix);
// "_YYYYMMDD-HHMMSS" of the local time now, for names that should not repeat.
std::string TimeStamp();

}  // namespace cli
