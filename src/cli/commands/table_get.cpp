// table get: the Setting page's REFRESH for many panels, each table to a
// file (CSV or JSON), to a folder of files named by address, or (one panel)
// to standard output.
#include <fmt/format.h>

#include <optional>
#include <string>
#include <vector>

#include "cli/file_io.h"
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

std::span<const std::uint8_t> Bytes(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

int TableGet(const RunContext& context, const TableGetOptions& args) {
  const bool toFolder = args.output && (args.panels.size() > 1 || IsFolder(*args.output));
  if (toFolder && !PrepareFolder(*args.output)) return kExitFileRefused;
  const std::string_view suffix = args.format == TableFormat::kCsv ? ".csv" : ".json";
  std::string printed;  // the one table that goes to standard output
  const int code = RunOnPanels(
      context, args.panels,
      [&](PanelAddress panel) -> PanelOutcome {
        PanelTarget target(context, panel);
        IpSettingRecord table;
        const CallResult read = ReadCameraTable(target.link, table);
        if (!read.ok) return {.ok = false, .message = read.text};
        const std::string text = TableText(table, args.format);
        if (!args.output) {
          printed = text;
          return {.ok = true, .message = read.text};
        }
        const std::string path =
            toFolder ? PanelFilePath(*args.output, panel, suffix) : *args.output;
        if (auto failed = WriteWholeFile(context.machine.Files(), path, Bytes(text))) {
          return {.ok = false, .message = *failed, .file = path};
        }
        return {.ok = true, .message = read.text, .file = path};
      },
      // With the table on standard output, the report goes beside it.
      args.output ? nullptr : stderr);
  std::fwrite(printed.data(), 1, printed.size(), stdout);
  return code;
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
