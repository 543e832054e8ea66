// setup backup: the File Operate page's Save for many panels, each setup
// block to a file named by panel address and time, or (one panel) to
// standard output.
#include <string>
#include <vector>

#include "commands/commands.h"
#include "io/file_io.h"
#include "io/output_file.h"
#include "run/panel_operations.h"

namespace cli {

namespace {

struct SetupBackupOptions {
  std::vector<std::string> panelTexts{};
  std::vector<Panel> panels{};
  std::string folder{};
};

}  // namespace

int SetupBackup(const RunContext& context, const std::vector<Panel>& panels,
                const std::string& folder) {
  const bool toStream =
      DestinationOf(context.machine.Files(), folder, panels.size(), false) == Destination::kStream;
  const bool toStandardOutput = folder == kStandardStream;
  if (!toStream && !PrepareFolder(context.machine.Files(), folder)) return kExitFileRefused;
  return RunOnPanels(
      context, panels,
      [&](PanelTarget& target) -> PanelOutcome {
        std::vector<std::uint8_t> block;
        PanelOutcome read = ReadSetupBlock(target.link, block);
        if (!read.Ok()) return read;
        read.bytes = block.size();
        // Two backups of a panel never share a name: a later one is numbered.
        const std::string path =
            toStream ? folder : PanelFilePath(folder, target.panel, TimeStamp() + ".v38");
        return WithSaved(std::move(read),
                         SaveWhole(context.machine.Files(), path, Naming::kNumbered, block));
      },
      {.out = toStandardOutput ? stderr : nullptr});
}

void AddSetupBackup(CLI::App& setup, Invocation& invocation) {
  const auto options = std::make_shared<SetupBackupOptions>();
  CLI::App* backup = setup.add_subcommand(
      "backup", "Save each PANEL's setup block to a file (the File Operate page's Save).");
  AddPanelsArgument(*backup, options->panelTexts);
  backup
      ->add_option("-o,--output", options->folder,
                   "the folder for the files, made if needed: <address>_<YYYYMMDD-HHMMSS>.v38 "
                   "(<address>_<name>_<YYYYMMDD-HHMMSS>.v38 for a panel named in an inventory), "
                   "numbered (_2, _3, ...) rather than replacing a file of that name; or - for "
                   "standard output, or a device, pipe or socket written into as it is (one "
                   "PANEL)")
      ->required();
  backup->footer(
      "A block is written only when the panel sent it whole with a good sum, and a file takes "
      "its name only once it is whole. Standard output: the outcome lines, or with -o - the "
      "block, and then the outcome lines go to standard error.");
  backup->callback([&invocation, options] {
    std::optional<std::vector<Panel>> panels = invocation.Panels(options->panelTexts);
    if (!panels) return;
    options->panels = std::move(*panels);
    RequireOnePanelFor(
        options->panels, options->folder,
        DestinationOf(invocation.machine.Files(), options->folder, options->panels.size(), false));
    invocation.exitCode = SetupBackup(invocation.Context(), options->panels, options->folder);
  });
}

}  // namespace cli
