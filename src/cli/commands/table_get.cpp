// table get: the Setting page's REFRESH for many panels, each table to a
// file (CSV or JSON), to a folder of files named by address, or (one panel)
// to standard output.
#include <fmt/format.h>

#include <optional>
#include <string>
#include <vector>

#include "cli/file_io.h"
#include "cli/output_file.h"
#include "cli/panel_calls.h"
#include "cli/subcommands.h"
#include "cli/table_file.h"

namespace cli {

namespace {

struct TableGetOptions {
  std::vector<std::string> panelTexts{};
  std::vector<PanelAddress> panels{};
  std::optional<std::string> output{};  // a file (one panel) or a folder; standard output without
  std::string formatText = "csv";
  TableFormat format = TableFormat::kCsv;
};

std::string TableText(const IpSettingRecord& table, TableFormat format) {
  return format == TableFormat::kCsv ? TableCsv(table) : TableJson(table);
}

int TableGet(const RunContext& context, const TableGetOptions& args) {
  const std::string output = args.output.value_or(std::string(kStandardStream));
  const bool toStandardOutput = output == kStandardStream;
  const bool toFolder = !toStandardOutput && (args.panels.size() > 1 || IsFolder(output));
  if (toFolder && !PrepareFolder(output)) return kExitFileRefused;
  const std::string_view suffix = args.format == TableFormat::kCsv ? ".csv" : ".json";
  return RunOnPanels(
      context, args.panels,
      [&](PanelAddress panel) -> PanelOutcome {
        PanelTarget target(context, panel);
        IpSettingRecord table;
        PanelOutcome read = ReadCameraTable(target.link, table);
        if (!read.Ok()) return read;
        // The outcome is told once the table is where it goes, whole.
        const std::string path = toFolder ? PanelFilePath(output, panel, suffix) : output;
        return WithSaved(std::move(read), SaveWhole(context.machine.Files(), path, Naming::kReplace,
                                                    BytesOf(TableText(table, args.format))));
      },
      // With the table on standard output, the report goes beside it.
      {.out = toStandardOutput ? stderr : nullptr});
}

}  // namespace

void AddTableGet(CLI::App& table, Invocation& invocation) {
  const auto options = std::make_shared<TableGetOptions>();
  CLI::App* get = table.add_subcommand("get", "read the camera table of each panel");
  AddPanelsArgument(*get, options->panelTexts);
  get->add_option("-o,--output", options->output,
                  "a file (one panel) or a folder (files named by address)");
  get->add_option("--format", options->formatText)->check(CLI::IsMember({"csv", "json"}));
  get->callback([&invocation, options] {
    if (options->panelTexts.size() > 1 && !options->output) {
      throw CLI::RequiredError("-o FOLDER for more than one panel");
    }
    options->panels = Resolve(options->panelTexts);
    options->format = options->formatText == "json" ? TableFormat::kJson : TableFormat::kCsv;
    invocation.exitCode = TableGet(invocation.Context(), *options);
  });
}

}  // namespace cli
