// log: the File Operate page's Save Log for many panels, each log streamed
// to a file named by panel address and time, with one progress line. A log
// takes its name only once the panel sent all of it and it is on the disk.
#include <memory>
#include <string>
#include <vector>

#include "commands/commands.h"
#include "io/file_io.h"
#include "io/output_file.h"
#include "io/progress.h"
#include "run/panel_operations.h"

namespace cli {

namespace {

struct LogOptions {
  std::vector<std::string> panelTexts{};
  std::vector<Panel> panels{};
  std::string folder{};
};

PanelOutcome SaveOneLog(const RunContext& context, PanelTarget& target, const std::string& path,
                        bool streamed, ProgressLine& progress) {
  std::unique_ptr<OutputFile> output;
  std::string failure;
  // Made once the panel was asked: a panel that never answers leaves no file.
  const operations::CreateSink create = [&]() -> std::unique_ptr<platform::WritableFile> {
    output = CreateOutput(context.machine.Files(), path, Naming::kNumbered, failure);
    return output ? WriterInto(*output) : nullptr;
  };
  std::uint64_t moved = 0;
  PanelOutcome saved = SaveLog(target.link, create, [&](std::uint64_t total) {
    progress.Add(total - moved);
    moved = total;
  });
  if (output && !output->Failure().empty()) failure = output->Failure();
  if (saved.Ok() && !output->Finish()) failure = output->Failure();
  if (!failure.empty()) return Failure(Code::kFile, "File write error", failure, path);
  // A file not finished is gone, but what went to a stream stays there.
  if (streamed && moved > 0) saved.mayRetry = false;
  if (!saved.Ok()) return saved;
  saved.file = output->Name();
  saved.bytes = moved;
  return saved;
}

int SaveLogs(const RunContext& context, const std::vector<Panel>& panels,
             const std::string& folder) {
  const bool toStream =
      DestinationOf(context.machine.Files(), folder, panels.size(), false) == Destination::kStream;
  const bool toStandardOutput = folder == kStandardStream;
  if (!toStream && !PrepareFolder(context.machine.Files(), folder)) return kExitFileRefused;
  ProgressLine progress(stderr, context.progress);
  return RunOnPanels(context, panels,
                     [&](PanelTarget& target) {
                       const std::string path =
                           toStream ? folder
                                    : PanelFilePath(folder, target.panel, TimeStamp() + ".log");
                       return SaveOneLog(context, target, path, toStream, progress);
                     },
                     {.out = toStandardOutput ? stderr : nullptr, .progress = &progress});
}

}  // namespace

void AddLog(CLI::App& app, Invocation& invocation) {
  const auto options = std::make_shared<LogOptions>();
  CLI::App* log = app.add_subcommand(
      "log", "Save each PANEL's log to a file (the File Operate page's Save Log).");
  AddPanelsArgument(*log, options->panelTexts);
  log->add_option("-o,--output", options->folder,
                  "the folder for the files, made if needed: <address>_<YYYYMMDD-HHMMSS>.log "
                  "(<address>_<name>_<YYYYMMDD-HHMMSS>.log for a panel named in an inventory), "
                  "numbered (_2, _3, ...) rather than replacing a file of that name; or - for "
                  "standard output, or a device, pipe or socket written into as it is (one "
                  "PANEL)")
      ->required();
  log->footer(
      "A log is streamed to a temporary file and takes its name only once the panel sent all of "
      "it; a log cut short leaves no file. Standard output: the outcome lines, or with -o - the "
      "log as it arrives (a log cut short is then reported as failed), and then the outcome "
      "lines go to standard error. On a terminal a progress line shows on standard error.");
  log->callback([&invocation, options] {
    std::optional<std::vector<Panel>> panels = invocation.Panels(options->panelTexts);
    if (!panels) return;
    options->panels = std::move(*panels);
    RequireOnePanelFor(
        options->panels, options->folder,
        DestinationOf(invocation.machine.Files(), options->folder, options->panels.size(), false));
    invocation.exitCode = SaveLogs(invocation.Context(), options->panels, options->folder);
  });
}

}  // namespace cli
