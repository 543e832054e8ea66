// setup backup: the File Operate page's Save for many panels, each setup
// block to a file named by panel address and time, or (one panel) to
// standard output.
#include <string>
#include <vector>

#include "command_line/output_option.h"
#include "command_line/panel_work.h"
#include "commands/commands.h"
#include "commands/setup/setup_backup.h"
#include "io/destination.h"
#include "io/output_file.h"
#include "run/panel_operations.h"
#include "run/run_on_panels.h"

namespace cli {

int SetupBackup(const RunContext& context, const std::vector<Panel>& panels,
                const std::string& folder) {
  const std::optional<Destination> destination =
      ReadyDestination(context.machine.Files(), folder, panels, false);
  if (!destination) return kExitFileRefused;
  const bool toStream = *destination == Destination::kStream;
  const bool toStandardOutput = folder == kStandardStream;
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
  const auto folder = std::make_shared<std::string>();
  CLI::App* backup = setup.add_subcommand(
      "backup", "Save each PANEL's setup block to a file (the File Operate page's Save).");
  AddPanelWork(*backup, invocation,
               [folder](const RunContext& context, const std::vector<Panel>& panels) {
                 return SetupBackup(context, panels, *folder);
               });
  backup
      ->add_option("-o,--output", *folder,
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
}

}  // namespace cli
