// table get: the Setting page's REFRESH for many panels, each table to a
// file (CSV or JSON), to a folder of files named by address, or (one panel)
// to standard output.
#include <fmt/format.h>

#include <optional>
#include <string>
#include <vector>

#include "command_line/output_option.h"
#include "command_line/panel_work.h"
#include "commands/commands.h"
#include "commands/table/table_output.h"
#include "io/destination.h"
#include "io/output_file.h"
#include "run/panel_operations.h"
#include "run/run_on_panels.h"
#include "table_file/table_file.h"

namespace cli {

namespace {

struct TableGetOptions {
  std::string output{kStandardStream};  // a file (one panel), a folder, or a stream
  std::optional<std::string> format{};  // "csv" or "json"; without it, the file's extension
};

int TableGet(const RunContext& context, const std::vector<Panel>& panels,
             const TableGetOptions& args) {
  const std::optional<Destination> destination =
      ReadyDestination(context.machine.Files(), args.output, panels, true);
  if (!destination) return kExitFileRefused;
  const bool toStandardOutput = args.output == kStandardStream;
  const bool toFolder = *destination == Destination::kFolder;
  const table_file::TableFormat format = ChosenFormat(args.format, toFolder ? "" : args.output);
  const std::string_view suffix = format == table_file::TableFormat::kCsv ? ".csv" : ".json";
  return RunOnPanels(
      context, panels,
      [&](PanelTarget& target) -> PanelOutcome {
        protocol::IpSettingRecord table;
        PanelOutcome read = ReadCameraTable(target.link, table);
        if (!read.Ok()) return read;
        // The outcome is told once the table is where it goes, whole.
        const std::string path =
            toFolder ? PanelFilePath(args.output, target.panel, suffix) : args.output;
        return WithSaved(std::move(read), SaveWhole(context.machine.Files(), path, Naming::kReplace,
                                                    BytesOf(TableText(table, format))));
      },
      // With the table on standard output, the report goes beside it.
      {.out = toStandardOutput ? stderr : nullptr});
}

}  // namespace

void AddTableGet(CLI::App& table, Invocation& invocation) {
  const auto options = std::make_shared<TableGetOptions>();
  CLI::App* get = table.add_subcommand(
      "get", "Read the camera table of each PANEL (the Setting page's REFRESH).");
  AddPanelWork(*get, invocation,
               [options](const RunContext& context, const std::vector<Panel>& panels) {
                 return TableGet(context, panels, *options);
               });
  get->add_option("-o,--output", options->output,
                  "where the tables go: a file (one PANEL); a folder, made if needed, when it ends "
                  "in / (or \\), is a folder, or more than one PANEL is given (files named "
                  "<address>.csv or .json, <address>_<name>.csv for a panel named in an "
                  "inventory); or - for standard output (one PANEL). A file is replaced only once "
                  "the new table is whole, keeping its permissions (a link to a file stays a "
                  "link); a device, pipe or socket is written into as standard output is.")
      ->capture_default_str();
  get->add_option("--format", options->format,
                  "csv or json; without it, json for an output named *.json and csv otherwise")
      ->check(CLI::IsMember({"csv", "json"}));
  get->footer(
      "Standard output: the table with -o - (the default), and then the outcome lines go to "
      "standard error; otherwise the outcome lines.");
}

}  // namespace cli
