#include "io/destination.h"

#include <chrono>
#include <ctime>

#include <fmt/chrono.h>
#include <fmt/format.h>

#include "io/output_file.h"

namespace cli {

Destination DestinationOf(platform::FileSystem& files, const std::string& output,
                          std::size_t panelCount, bool filesTaken) {
  if (output == kStandardStream) return Destination::kStream;
  const bool endsInSeparator = output.ends_with('/') || output.ends_with('\\');
  switch (files.Inspect(output).kind) {
    case platform::PathKind::kStream:
      if (!endsInSeparator) return Destination::kStream;
      break;
    case platform::PathKind::kFolder:
      return Destination::kFolder;
    case platform::PathKind::kFile:
    case platform::PathKind::kNothing:
      break;
  }
  const bool oneFile = filesTaken && panelCount == 1 && !endsInSeparator;
  return oneFile ? Destination::kFile : Destination::kFolder;
}

bool PrepareFolder(platform::FileSystem& files, const std::string& folder) {
  if (files.MakeFolder(folder)) return true;
  fmt::print(stderr, "vk38: the folder {} cannot be made: {}; no panel was contacted\n", folder,
             files.LastFailure());
  return false;
}

std::string PanelFilePath(const std::string& folder, const Panel& panel, std::string_view suffix) {
  std::string path = folder;
  // A folder written with backslashes (a Windows path) goes on with one.
  const char separator =
      folder.find('/') == std::string::npos && folder.find('\\') != std::string::npos ? '\\' : '/';
  if (!path.empty() && path.back() != '/' && path.back() != '\\') path += separator;
  path += protocol::AddressText(panel.address);
  if (!panel.name.empty()) path += "_" + panel.name;
  return path + std::string(suffix);
}

std::string TimeStamp() {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  return fmt::format("_{:%Y%m%d-%H%M%S}", fmt::localtime(now));
}

}  // namespace cli
