// A panel's own file in a folder that table get or setup backup filled,
// for table set and setup restore given a folder in place of one file; and
// the panel a backup's name says it was taken from.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "panels/panel_names.h"
#include "platform/file_system.h"
#include "protocol/panel_address.h"

namespace cli {

// What a backup's name tells: "<address>[_<name>]_<YYYYMMDD-HHMMSS>[_N].v38"
// as setup backup names its files.
// A panel's own file (`path`), or why it has none (`missing`: no file, two
// that could be its own, a folder that cannot be read).
struct PanelFile {
  std::string path{};
  std::string missing{};
};

struct BackupName {
  protocol::PanelAddress address = 0;
  std::string name{};   // the panel's name in its inventory, if it had one
  std::string stamp{};  // "YYYYMMDD-HHMMSS"
  int number = 1;       // a later backup of the same second: 2, 3, ...
};
std::optional<BackupName> ReadBackupName(std::string_view path);

// The table file of `panel` in `folder`: "<address>_<name>.csv" or ".json"
// for a named panel, else "<address>.csv" or ".json"; refused when a
// .csv and a .json both could be it.
PanelFile PanelTableFile(platform::FileSystem& files, const std::string& folder,
                         const Panel& panel);

// The newest backup of `panel` in `folder`: of the files named as setup
// backup names them, with the panel's address and its name or none, the one
// with the latest time (and number).
PanelFile NewestPanelBackup(platform::FileSystem& files, const std::string& folder,
                            const Panel& panel);

}  // namespace cli
