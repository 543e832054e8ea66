#include "io/panel_files.h"

#include <algorithm>
#include <cctype>
#include <tuple>
#include <vector>

#include <fmt/format.h>

#include "io/destination.h"

namespace cli {

namespace {

bool AllDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(),
                                      [](unsigned char c) { return std::isdigit(c) != 0; });
}

// "YYYYMMDD-HHMMSS", as TimeStamp writes it (after its "_").
bool IsStamp(std::string_view text) {
  return text.size() == 15 && text[8] == '-' && AllDigits(text.substr(0, 8)) &&
         AllDigits(text.substr(9));
}

std::string_view BaseName(std::string_view path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// The file's name in the folder, if it is there and a file.
bool IsFile(platform::FileSystem& files, const std::string& path) {
  return files.Inspect(path).kind == platform::PathKind::kFile;
}

}  // namespace

std::optional<BackupName> ReadBackupName(std::string_view path) {
  std::string_view name = BaseName(path);
  constexpr std::string_view kSuffix = ".v38";
  if (!name.ends_with(kSuffix)) return std::nullopt;
  name.remove_suffix(kSuffix.size());
  std::vector<std::string_view> parts;
  for (std::size_t at = 0;;) {
    const std::size_t end = name.find('_', at);
    parts.push_back(name.substr(at, end - at));
    if (end == std::string_view::npos) break;
    at = end + 1;
  }
  BackupName read;
  // A number after the stamp: a later backup of the same second.
  if (parts.size() >= 3 && AllDigits(parts.back()) && parts.back().size() <= 6 &&
      IsStamp(parts[parts.size() - 2])) {
    read.number = std::stoi(std::string(parts.back()));
    parts.pop_back();
  }
  if (parts.size() < 2 || !IsStamp(parts.back())) return std::nullopt;
  const std::optional<protocol::PanelAddress> address = protocol::ParseAddressText(parts.front());
  if (!address) return std::nullopt;
  read.address = *address;
  read.stamp = std::string(parts.back());
  for (std::size_t i = 1; i + 1 < parts.size(); ++i) {
    if (!read.name.empty()) read.name += '_';
    read.name.append(parts[i]);
  }
  return read;
}

PanelFile PanelTableFile(platform::FileSystem& files, const std::string& folder,
                         const Panel& panel) {
  std::vector<Panel> names = {panel};
  if (!panel.name.empty()) names.push_back({.address = panel.address});
  for (const Panel& named : names) {
    const std::string csv = PanelFilePath(folder, named, ".csv");
    const std::string json = PanelFilePath(folder, named, ".json");
    const bool hasCsv = IsFile(files, csv);
    const bool hasJson = IsFile(files, json);
    if (hasCsv && hasJson) {
      return {.missing = fmt::format("both {} and {} could be its table; keep one", csv, json)};
    }
    if (hasCsv || hasJson) return {.path = hasCsv ? csv : json};
  }
  return {.missing = fmt::format("{} holds no table file of it ({})", folder,
                                 BaseName(PanelFilePath(folder, panel, ".csv")))};
}

PanelFile NewestPanelBackup(platform::FileSystem& files, const std::string& folder,
                            const Panel& panel) {
  const std::optional<std::vector<std::string>> names = files.ListFolder(folder);
  if (!names) {
    return {.missing =
                fmt::format("the folder {} cannot be read: {}", folder, files.LastFailure())};
  }
  std::optional<BackupName> newest;
  std::string newestName;
  for (const std::string& name : *names) {
    const std::optional<BackupName> backup = ReadBackupName(name);
    if (!backup || backup->address != panel.address) continue;
    // A backup named for another panel at this address is not this one's.
    if (!backup->name.empty() && !panel.name.empty() && backup->name != panel.name) continue;
    if (newest &&
        std::tie(backup->stamp, backup->number) <= std::tie(newest->stamp, newest->number))
      continue;
    newest = backup;
    newestName = name;
  }
  if (!newest) {
    return {.missing = fmt::format("{} holds no backup of it ({})", folder,
                                   BaseName(PanelFilePath(folder, panel, "_<time>.v38")))};
  }
  std::string path = PanelFilePath(folder, {.address = panel.address}, "");
  path.resize(path.size() - protocol::AddressText(panel.address).size());
  return {.path = path + newestName};
}

}  // namespace cli
