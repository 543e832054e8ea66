// setup backup and restore, and log: the File Operate page's Save, Load and
// Save Log for many panels, files named by panel address and time.
#include <fmt/format.h>

#include "cli/commands.h"
#include "cli/file_io.h"
#include "cli/panel_calls.h"
#include "cli/progress.h"
#include "protocol/panel_wire.h"
#include "protocol/zero_sum.h"

namespace cli {

namespace {

bool PrepareFolder(const std::string& folder) {
  if (MakeFolder(folder)) return true;
  fmt::print(stderr, "vk38: the folder {} cannot be made\n", folder);
  return false;
}

}  // namespace

int SetupBackup(const RunContext& context, const std::vector<PanelAddress>& panels,
                const std::string& folder) {
  if (!PrepareFolder(folder)) return kExitFileRefused;
  return RunOnPanels(context, panels, [&](PanelAddress panel) -> PanelOutcome {
    PanelTarget target(context, panel);
    std::vector<std::uint8_t> block;
    const CallResult read = ReadSetupBlock(target.link, block);
    if (!read.ok) return {.ok = false, .message = read.text};
    const std::string path = PanelFilePath(folder, panel, TimeStamp() + ".v38");
    if (auto failed = WriteWholeFile(context.machine.Files(), path, block)) {
      return {.ok = false, .message = *failed, .file = path};
    }
    return {.ok = true, .message = read.text, .file = path, .bytes = block.size()};
  });
}

int SetupRestore(const RunContext& context, PanelAddress panel, const std::string& file) {
  // A backup is one block of the panel's size with a good sum; anything else
  // would put a damaged setup on the panel.
  const std::optional<std::string> block =
      ReadWholeFile(context.machine.Files(), file, kPanelBlockSize);
  if (!block) {
    fmt::print(stderr, "vk38: {}: cannot be read, or is larger than a setup block\n", file);
    return kExitFileRefused;
  }
  const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(block->data()),
                                            block->size());
  if (bytes.empty() || !IsZeroSum(bytes)) {
    fmt::print(stderr, "vk38: {}: is empty or its sum is bad; nothing was sent\n", file);
    return kExitFileRefused;
  }
  // The bytes checked are the bytes sent.
  return RunOnPanels(context, {panel}, [&](PanelAddress) -> PanelOutcome {
    PanelTarget target(context, panel);
    const CallResult written = WriteSetupBlock(target.link, bytes);
    return {.ok = written.ok, .message = written.text, .file = file};
  });
}

int SaveLogs(const RunContext& context, const std::vector<PanelAddress>& panels,
             const std::string& folder) {
  if (!PrepareFolder(folder)) return kExitFileRefused;
  std::vector<PanelOutcome> outcomes;
  {
    // The progress line ends before the outcomes are reported.
    ProgressLine progress(stderr, context.progress);
    outcomes = RunFleet(panels, context.jobs, [&](PanelAddress panel) -> PanelOutcome {
      PanelTarget target(context, panel);
      const std::string path = PanelFilePath(folder, panel, TimeStamp() + ".log");
      std::unique_ptr<platform::WritableFile> file = context.machine.Files().CreateForWriting(path);
      if (!file) return {.ok = false, .message = "File open error", .file = path};
      std::uint64_t moved = 0;
      const CallResult saved = SaveLog(target.link, std::move(file), [&](std::uint64_t total) {
        progress.Add(total - moved);
        moved = total;
      });
      return {.ok = saved.ok, .message = saved.text, .file = path, .bytes = moved};
    });
  }
  return Report(context, outcomes);
}

}  // namespace cli
