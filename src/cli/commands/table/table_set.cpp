// table set: the Setting page's SET from a table file, on each panel given:
// the panel's table is read, the file applied over it, the page's own write
// rules run, and the table written (and, with --verify, read back).
// --dry-run tells what table diff tells and writes nothing.
#include <fmt/format.h>

#include <string>
#include <vector>

#include "command_line/panel_work.h"
#include "commands/commands.h"
#include "commands/table/table_diff.h"
#include "commands/table/table_source.h"
#include "commands/table/table_write_options.h"
#include "commands/table/table_write_plan.h"
#include "run/panel_operations.h"
#include "run/run_on_panels.h"
#include "run/write_verification.h"

namespace cli {

namespace {

struct TableSetOptions {
  std::string file{};
  TableWriteRules rules{};
  bool verify = false;
  bool dryRun = false;
};

PanelOutcome WriteTable(PanelTarget& target, const TableSetOptions& args,
                        const TableSource& source) {
  const TableSource::ForPanel given = source.For(target.panel);
  if (given.failure) return *given.failure;
  const std::vector<RowChange>& changes = given.changes;
  protocol::IpSettingRecord table;
  PanelOutcome read = ReadCameraTable(target.link, table);
  if (!read.Ok()) return read;
  const TableWritePlan plan = PlanTableWrite(table, changes, target.panel.address, args.rules);
  PanelOutcome written = plan.refusal ? Failure(Code::kRefused, "not written", *plan.refusal)
                                      : WriteCameraTable(target.link, plan.prepared);
  TellPlan(plan, PlanView::kWrite, written);
  if (!written.Ok()) return written;
  written.file = given.file;
  if (!args.verify) return written;
  return VerifyCameraTable(target.link, plan.prepared, std::move(written));
}

int TableSet(const RunContext& context, const std::vector<Panel>& panels,
             const TableSetOptions& args) {
  if (args.dryRun) return TableDiff(context, panels, args.file, args.rules);
  const std::optional<TableSource> source = TableSource::Open(context.machine.Files(), args.file);
  if (!source) return kExitFileRefused;
  return RunOnPanels(context, panels,
                     [&](PanelTarget& target) { return WriteTable(target, args, *source); },
                     {.changesPanels = true});
}

}  // namespace

void AddTableSet(CLI::App& table, Invocation& invocation) {
  const auto options = std::make_shared<TableSetOptions>();
  CLI::App* set = table.add_subcommand(
      "set",
      "Write a camera table file to each PANEL (the Setting page's SET): each panel's own table "
      "is read, the file applied over it, the page's rules run, and the table written. A file "
      "that sets only some rows or columns (camera names, say) leaves each panel's other fields "
      "as that panel has them.");
  AddPanelWork(*set, invocation,
               [options](const RunContext& context, const std::vector<Panel>& panels) {
                 return TableSet(context, panels, *options);
               });
  // The panels come first; the first word that names no panel is FILE.
  set->validate_positionals();
  set->add_option("FILE", options->file,
                  "CSV or JSON as table get writes it (JSON told by its content), or - for "
                  "standard input. Rows, columns and keys may be left out; an empty cell leaves "
                  "the panel's value. A column or key the table does not have refuses the file. A "
                  "folder: each panel's own file in it, as table get names them "
                  "(<address>_<name>.csv or .json, else <address>.csv or .json); a panel "
                  "without one fails.")
      ->required();
  AddTableWriteRules(*set, options->rules);
  set->add_flag("--verify", options->verify,
                "after the panel's WRITE OK, read its table back and compare the fields written "
                "(the MAC rule accounted for); a difference fails the panel as not-verified");
  set->add_flag("--dry-run", options->dryRun,
                "write nothing: tell what the file would change, as table diff does, with its "
                "exit codes");
  set->footer(
      "Standard output: the outcome lines and the summary. The page's notices (errors, "
      "warnings, questions), each headed by its panel, go to standard error as each panel ends; "
      "a duplication names the entries that share the address (\"C011 and C012: "
      "IP(10.0.0.12) Duplication\"). With --json each outcome object also holds \"notices\" "
      "(kind, text, entries) and \"refusal\". The firmware questions cannot be answered per "
      "panel: without --yes a table that asks them is not written to that panel.");
}

}  // namespace cli
