// Where table set and table diff take their changes from: one table file
// for every panel, read once before any panel is asked, or a folder of
// each panel's own file as table get writes them, read as the panel's turn
// comes.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "panels/panel_names.h"
#include "platform/file_system.h"
#include "run/panel_outcome.h"
#include "table_file/table_rows.h"

namespace cli {

class TableSource {
 public:
  // Nothing, with the reason on standard error, when the one file (`path`;
  // "-": standard input) cannot be read or is no table file.
  static std::optional<TableSource> Open(platform::FileSystem& files, const std::string& path);

  // What `panel` is to be given, or why it has no table (a `file` failure:
  // no file of its own in the folder, or one that is no table file).
  struct ForPanel {
    std::vector<table_file::RowChange> changes{};
    std::string file{};  // where they came from
    std::optional<PanelOutcome> failure{};
  };
  ForPanel For(const Panel& panel) const;

 private:
  TableSource(platform::FileSystem& files, std::string path) : files_(&files), path_(path) {}

  platform::FileSystem* files_;
  std::string path_;
  bool folder_ = false;
  std::vector<table_file::RowChange> changes_{};  // the one file's
};

}  // namespace cli
