// log: the File Operate page's Save Log for many panels, each log streamed
// to a file named by panel address and time, with one progress line. A log
// takes its name only once the panel sent all of it and it is on the disk.
#include <memory>
#include <string>
#include <vector>

#include "cli/file_io.h"
#include "cli/output_file.h"
#include "cli/panel_calls.h"
#include "cli/progress.h"
#include "cli/subcommands.h"

namespace cli {

namespace {

struct LogOptions {
  std::vector<std::string> panels{};
  std::string folder{};
};

PanelOutcome SaveOneLog(const RunContext& context, PanelAddress panel, const std::string& path,
                        ProgressLine& progress) {
  PanelTarget target(context, panel);
  std::unique_ptr<OutputFile> output;
  std::string failure;
  // Made once the panel was asked: a panel that never answers leaves no file.
  const operations::CreateSink create = [&]() -> std::unique_ptr<platform::WritableFile> {
    output = CreateOutput(context.machine.Files(), path, Naming::kNumbered, failure);
    return output ? WriterInto(*output) : nullptr;
  };
  std::uint64_t moved = 0;
  const CallResult saved = SaveLog(target.link, create, [&](std::uint64_t total) {
    progress.Add(total - moved);
    moved = total;
  });
  if (!saved.ok) {
    if (output && !output->Failure().empty()) failure = output->Failure();
    const std::string message = failure.empty() ? saved.text : saved.text + ": " + failure;
    return {.ok = false, .message = message, .file = path};
  }
  if (!output->Finish()) return {.ok = false, .message = output->Failure(), .file = path};
  return {.ok = true, .message = saved.text, .file = output->Name(), .bytes = moved};
}

int SaveLogs(const RunContext& context, const std::vector<PanelAddress>& panels,
             const std::string& folder) {
  if (!PrepareFolder(folder)) return kExitFileRefused;
  std::vector<PanelOutcome> outcomes;
  {
    // The progress line ends before the outcomes are reported.
    ProgressLine progress(stderr, context.progress);
    outcomes = RunFleet(panels, context.jobs, [&](PanelAddress panel) {
      return SaveOneLog(context, panel, PanelFilePath(folder, panel, TimeStamp() + ".log"),
                        progress);
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
