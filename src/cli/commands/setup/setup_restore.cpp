// setup restore: the File Operate page's Load of a setup file into each
// panel given, checked before any panel is asked; with --verify each
// panel's block is read back and compared byte for byte.
#include <fmt/format.h>

#include <string>

#include "command_line/panel_work.h"
#include "commands/commands.h"
#include "commands/setup/setup_file.h"
#include "io/output_file.h"
#include "io/whole_file.h"
#include "protocol/panel_wire.h"
#include "protocol/zero_sum.h"
#include "run/panel_operations.h"
#include "run/run_on_panels.h"
#include "run/write_verification.h"

namespace cli {

namespace {

// How much of a file is read to tell what it is: far more than a setup
// block, as much as a table file can be.
constexpr std::size_t kLookedAtLimit = 1024 * 1024;

struct SetupRestoreOptions {
  std::string file{};
  bool verify = false;
};

PanelOutcome RestoreBlock(PanelTarget& target, std::span<const std::uint8_t> bytes,
                          const SetupRestoreOptions& args) {
  PanelOutcome written = WriteSetupBlock(target.link, bytes);
  written.file = args.file;
  if (!written.Ok() || !args.verify) return written;
  return VerifySetupBlock(target.link, bytes, std::move(written));
}

int SetupRestore(const RunContext& context, const std::vector<Panel>& panels,
                 const SetupRestoreOptions& args) {
  const std::string& file = args.file;
  // A backup is one block of the panel's size with a good sum; anything else
  // would put a damaged setup on the panel. Read a little further, to tell
  // a table file or a text given by mistake for what it is.
  const WholeFile block = ReadWholeFile(context.machine.Files(), file, kLookedAtLimit);
  if (block.failure) {
    fmt::print(stderr, "vk38: {}; nothing was sent\n", *block.failure);
    return kExitFileRefused;
  }
  if (const std::optional<std::string> other = NoSetupBlock(block.bytes)) {
    fmt::print(stderr, "vk38: {}: is {}, not a setup block; nothing was sent\n", file, *other);
    return kExitFileRefused;
  }
  if (block.bytes.size() > protocol::kPanelBlockSize) {
    fmt::print(stderr, "vk38: {} is larger than {} bytes; nothing was sent\n", file,
               protocol::kPanelBlockSize);
    return kExitFileRefused;
  }
  const std::span<const std::uint8_t> bytes = BytesOf(block.bytes);
  if (bytes.empty() || !protocol::IsZeroSum(bytes)) {
    fmt::print(stderr, "vk38: {}: is empty or its sum is bad; nothing was sent\n", file);
    return kExitFileRefused;
  }
  // The bytes checked are the bytes sent, to every panel.
  return RunOnPanels(context, panels,
                     [&](PanelTarget& target) { return RestoreBlock(target, bytes, args); },
                     {.changesPanels = true});
}

}  // namespace

void AddSetupRestore(CLI::App& setup, Invocation& invocation) {
  const auto options = std::make_shared<SetupRestoreOptions>();
  CLI::App* restore = setup.add_subcommand(
      "restore", "Load a setup file into each PANEL (the File Operate page's Load).");
  AddPanelWork(*restore, invocation,
               [options](const RunContext& context, const std::vector<Panel>& panels) {
                 return SetupRestore(context, panels, *options);
               });
  // The panels come first; the first word that names no panel is FILE.
  restore->validate_positionals();
  restore
      ->add_option("FILE", options->file,
                   "a setup block as setup backup saves it (at most 4096 bytes that sum to zero), "
                   "or - for standard input; checked before any panel is asked")
      ->required();
  restore->add_flag("--verify", options->verify,
                    "after the panel's WRITE OK, read its setup block back and compare it byte "
                    "for byte; a difference fails the panel as not-verified, with the first "
                    "differing byte and the count");
  restore->footer("Standard output: the outcome lines and the summary.");
}

}  // namespace cli
