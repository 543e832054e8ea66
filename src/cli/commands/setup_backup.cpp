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
    PanelOutcome read = ReadSetupBlock(target.link, block);
    if (!read.Ok()) return read;
    read.bytes = block.size();
    // Two backups of a panel never share a name: a later one is numbered.
    const std::string path = PanelFilePath(folder, panel, TimeStamp() + ".v38");
    return WithSaved(std::move(read),
                     SaveWhole(context.machine.Files(), path, Naming::kNumbered, block));
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
