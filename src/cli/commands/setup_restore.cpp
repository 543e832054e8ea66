// setup restore: the File Operate page's Load of a setup file into a panel,
// checked before the panel is asked.
#include <fmt/format.h>

#include <string>

#include "cli/file_io.h"
#include "cli/output_file.h"
#include "cli/panel_calls.h"
#include "cli/subcommands.h"
#include "protocol/panel_wire.h"
#include "protocol/zero_sum.h"

namespace cli {

namespace {

struct SetupRestoreOptions {
  std::string panel{};
  std::string file{};
};

int SetupRestore(const RunContext& context, protocol::PanelAddress panel, const std::string& file) {
  // A backup is one block of the panel's size with a good sum; anything else
  // would put a damaged setup on the panel.
  const WholeFile block = ReadWholeFile(context.machine.Files(), file, protocol::kPanelBlockSize);
  if (block.failure) {
    fmt::print(stderr, "vk38: {}; nothing was sent\n", *block.failure);
    return kExitFileRefused;
  }
  const std::span<const std::uint8_t> bytes = BytesOf(block.bytes);
  if (bytes.empty() || !protocol::IsZeroSum(bytes)) {
    fmt::print(stderr, "vk38: {}: is empty or its sum is bad; nothing was sent\n", file);
    return kExitFileRefused;
  }
  // The bytes checked are the bytes sent.
  return RunOnPanels(context, {{.address = panel}}, [&](PanelTarget& target) -> PanelOutcome {
    PanelOutcome written = WriteSetupBlock(target.link, bytes);
    written.file = file;
    return written;
  });
}

}  // namespace

void AddSetupRestore(CLI::App& setup, Invocation& invocation) {
  const auto options = std::make_shared<SetupRestoreOptions>();
  CLI::App* restore = setup.add_subcommand(
      "restore", "Load a setup file into PANEL (the File Operate page's Load).");
  AddPanelArgument(*restore, options->panel);
  restore
      ->add_option("FILE", options->file,
                   "a setup block as setup backup saves it (at most 4096 bytes that sum to zero), "
                   "or - for standard input; checked before the panel is asked")
      ->required();
  restore->footer("Standard output: the outcome line and the summary.");
  restore->callback([&invocation, options] {
    invocation.exitCode =
        SetupRestore(invocation.Context(), Resolve(options->panel), options->file);
  });
}

}  // namespace cli
