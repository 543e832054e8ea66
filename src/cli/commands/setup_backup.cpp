// setup backup: the File Operate page's Save for many panels, each setup
// block to a file named by panel address and time.
#include <string>
#include <vector>

#include "cli/file_io.h"
#include "cli/output_file.h"
#include "cli/panel_calls.h"
#include "cli/subcommands.h"

namespace cli {

namespace {

struct SetupBackupOptions {
  std::vector<std::string> panels{};
  std::string folder{};
};

}  // namespace

int SetupBackup(const RunContext& context, const std::vector<PanelAddress>& panels,
                const std::string& folder) {
  if (!PrepareFolder(folder)) return kExitFileRefused;
  return RunOnPanels(context, panels, [&](PanelAddress panel) -> PanelOutcome {
    PanelTarget target(context, panel);
    std::vector<std::uint8_t> block;
    const CallResult read = ReadSetupBlock(target.link, block);
    if (!read.ok) return {.ok = false, .message = read.text};
    // Two backups of a panel never share a name: a later one is numbered.
    const std::string path = PanelFilePath(folder, panel, TimeStamp() + ".v38");
    const Saved saved = SaveWhole(context.machine.Files(), path, Naming::kNumbered, block);
    if (saved.failure) return {.ok = false, .message = *saved.failure, .file = path};
    return {.ok = true, .message = read.text, .file = saved.name, .bytes = block.size()};
  });
}

void AddSetupBackup(CLI::App& setup, Invocation& invocation) {
  const auto options = std::make_shared<SetupBackupOptions>();
  CLI::App* backup = setup.add_subcommand("backup", "save each panel's setup to a file");
  AddPanelsArgument(*backup, options->panels);
  backup->add_option("-o,--output", options->folder, "folder for the files")->required();
  backup->callback([&invocation, options] {
    invocation.exitCode =
        SetupBackup(invocation.Context(), Resolve(options->panels), options->folder);
  });
}

}  // namespace cli
