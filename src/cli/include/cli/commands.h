// vk38's commands. Each runs on the panels given, reports every panel's
// outcome and returns the exit code (run_context.h).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/panel_calls.h"
#include "cli/run_context.h"
#include "cli/table_file.h"

namespace cli {

struct TableGetArgs {
  std::vector<PanelAddress> panels{};
  std::optional<std::string> output{};  // a file (one panel) or a folder; standard output without
  TableFormat format = TableFormat::kCsv;
};
int TableGet(const RunContext& context, const TableGetArgs& args);

struct TableSetArgs {
  PanelAddress panel = 0;
  std::string file{};
  bool yes = false;  // answers the firmware questions with OK
};
int TableSet(const RunContext& context, const TableSetArgs& args);

int SetupBackup(const RunContext& context, const std::vector<PanelAddress>& panels,
                const std::string& folder);
int SetupRestore(const RunContext& context, PanelAddress panel, const std::string& file);

int SaveLogs(const RunContext& context, const std::vector<PanelAddress>& panels,
             const std::string& folder);

struct AuthSetArgs {
  PanelAddress panel = 0;
  std::string oldUser{};
  std::string newUser{};
  bool passwordStdin = false;  // three lines: old, new, new again
};
int AuthSet(const RunContext& context, const AuthSetArgs& args);

// The same firmware image to every panel.
int Upgrade(const RunContext& context, const std::vector<PanelAddress>& panels, Image image,
            const std::string& file);

}  // namespace cli
