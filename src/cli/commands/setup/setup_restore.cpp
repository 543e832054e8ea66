// setup restore: the File Operate page's Load of a setup file into each
// panel given, checked before any panel is asked; with --verify each
// panel's block is read back and compared byte for byte.
#include <fmt/format.h>

#include <string>

#include "command_line/panel_work.h"
#include "commands/commands.h"
#include "commands/setup/setup_file.h"
#include "io/output_file.h"
#include "io/panel_files.h"
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
  bool strict = false;  // a file taken from another panel is refused
};

PanelOutcome RestoreBlock(PanelTarget& target, std::span<const std::uint8_t> bytes,
                          const std::string& file, bool verify) {
  PanelOutcome written = WriteSetupBlock(target.link, bytes);
  written.file = file;
  if (!written.Ok() || !verify) return written;
  return VerifySetupBlock(target.link, bytes, std::move(written));
}

// The setup block in the file at `path`, checked: or why it cannot be one.
// A backup is one block of the panel's size with a good sum; anything else
// would put a damaged setup on the panel. A little more is read, to tell a
// table file or a text given by mistake for what it is.
struct CheckedBlock {
  std::string bytes{};
  std::string fault{};
};
CheckedBlock ReadSetupFile(platform::FileSystem& files, const std::string& path) {
  WholeFile block = ReadWholeFile(files, path, kLookedAtLimit);
  if (block.failure) return {.fault = *block.failure};
  if (const std::optional<std::string> other = NoSetupBlock(block.bytes)) {
    return {.fault = fmt::format("{}: is {}, not a setup block", path, *other)};
  }
  if (block.bytes.size() > protocol::kPanelBlockSize) {
    return {.fault = fmt::format("{} is larger than {} bytes", path, protocol::kPanelBlockSize)};
  }
  if (block.bytes.empty() || !protocol::IsZeroSum(BytesOf(block.bytes))) {
    return {.fault = fmt::format("{}: is empty or its sum is bad", path)};
  }
  return {.bytes = std::move(block.bytes)};
}

// The file `path` given for every panel, when its name says setup backup
// took it from another panel than `panel`: a warning, or with --strict the
// panel's refusal.
std::optional<PanelOutcome> ForeignBackup(const std::string& path, const Panel& panel, bool strict,
                                          std::vector<std::string>& details) {
  const std::optional<BackupName> name = ReadBackupName(path);
  if (!name || name->address == panel.address) return std::nullopt;
  const std::string taken =
      fmt::format("{} was taken from {}", path, protocol::AddressText(name->address));
  if (strict) return Failure(Code::kRefused, "not written", taken + " (--strict)", path);
  details.push_back("warning: " + taken + ", not from this panel");
  return std::nullopt;
}

int SetupRestore(const RunContext& context, const std::vector<Panel>& panels,
                 const SetupRestoreOptions& args) {
  platform::FileSystem& files = context.machine.Files();
  // A folder: each panel's newest backup in it, checked as its turn comes.
  if (args.file != kStandardStream &&
      files.Inspect(args.file).kind == platform::PathKind::kFolder) {
    return RunOnPanels(context, panels,
                       [&](PanelTarget& target) {
                         const PanelFile own = NewestPanelBackup(files, args.file, target.panel);
                         if (!own.missing.empty())
                           return Failure(Code::kFile, "not written", own.missing);
                         const CheckedBlock block = ReadSetupFile(files, own.path);
                         if (!block.fault.empty()) {
                           return Failure(Code::kFile, "not written", block.fault, own.path);
                         }
                         return RestoreBlock(target, BytesOf(block.bytes), own.path, args.verify);
                       },
                       {.changesPanels = true});
  }
  const CheckedBlock block = ReadSetupFile(files, args.file);
  if (!block.fault.empty()) {
    fmt::print(stderr, "vk38: {}; nothing was sent\n", block.fault);
    return kExitFileRefused;
  }
  // The bytes checked are the bytes sent, to every panel.
  const std::span<const std::uint8_t> bytes = BytesOf(block.bytes);
  return RunOnPanels(context, panels,
                     [&](PanelTarget& target) {
                       std::vector<std::string> warnings;
                       if (std::optional<PanelOutcome> refused =
                               ForeignBackup(args.file, target.panel, args.strict, warnings)) {
                         return *refused;
                       }
                       PanelOutcome restored = RestoreBlock(target, bytes, args.file, args.verify);
                       restored.details.insert(restored.details.begin(), warnings.begin(),
                                               warnings.end());
                       return restored;
                     },
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
                   "or - for standard input; checked before any panel is asked. A folder: each "
                   "panel's newest backup in it, as setup backup names them "
                   "(<address>[_<name>]_<YYYYMMDD-HHMMSS>.v38); a panel without one fails.")
      ->required();
  restore->add_flag("--strict", options->strict,
                    "refuse to restore a file whose name says setup backup took it from another "
                    "panel (without it, that is a warning)");
  restore->add_flag("--verify", options->verify,
                    "after the panel's WRITE OK, read its setup block back and compare it byte "
                    "for byte; a difference fails the panel as not-verified, with the first "
                    "differing byte and the count");
  restore->footer("Standard output: the outcome lines and the summary.");
}

}  // namespace cli
