// log: the File Operate page's Save Log for many panels, each log streamed
// to a file named by panel address and time, with one progress line. A log
// takes its name only once the panel sent all of it and it is on the disk.
#include <memory>
#include <string>
#include <vector>

#include "command_line/output_option.h"
#include "command_line/panel_work.h"
#include "commands/commands.h"
#include "io/destination.h"
#include "io/output_file.h"
#include "io/progress.h"
#include "run/panel_operations.h"
#include "run/run_on_panels.h"

namespace cli {

namespace {

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
  const std::optional<Destination> destination =
      ReadyDestination(context.machine.Files(), folder, panels, false);
  if (!destination) return kExitFileRefused;
  const bool toStream = *destination == Destination::kStream;
  const bool toStandardOutput = folder == kStandardStream;
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
  const auto folder = std::make_shared<std::string>();
  CLI::App* log = app.add_subcommand(
      "log", "Save each PANEL's log to a file (the File Operate page's Save Log).");
  AddPanelWork(*log, invocation,
               [folder](const RunContext& context, const std::vector<Panel>& panels) {
                 return SaveLogs(context, panels, *folder);
               });
  log->add_option("-o,--output", *folder,
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
}

}  // namespace cli
