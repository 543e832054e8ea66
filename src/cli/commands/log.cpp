// log: the File Operate page's Save Log for many panels, each log streamed
// to a file named by panel address and time, with one progress line.
#include <memory>
#include <string>
#include <vector>

#include "cli/file_io.h"
#include "cli/panel_calls.h"
#include "cli/progress.h"
#include "cli/subcommands.h"

namespace cli {

namespace {

struct LogOptions {
  std::vector<std::string> panels{};
  std::string folder{};
};

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

}  // namespace

void AddLog(CLI::App& app, Invocation& invocation) {
  const auto options = std::make_shared<LogOptions>();
  CLI::App* log = app.add_subcommand("log", "save each panel's log to a file");
  AddPanelsArgument(*log, options->panels);
  log->add_option("-o,--output", options->folder, "folder for the files")->required();
  log->callback([&invocation, options] {
    invocation.exitCode = SaveLogs(invocation.Context(), Resolve(options->panels), options->folder);
  });
}

}  // namespace cli
