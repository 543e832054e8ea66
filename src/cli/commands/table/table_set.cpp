// table set: the Setting page's SET from a table file, on each panel given:
// the panel's table is read, the file applied over it, the page's own write
// rules run, and the table written (and, with --verify, read back).
// --dry-run tells what table diff tells and writes nothing. With --plan the
// plan names the panels and the tables: each panel is read again and
// written exactly what was planned, unless its table changed meanwhile.
#include <fmt/format.h>

#include <map>
#include <string>
#include <variant>
#include <vector>

#include "command_line/panel_work.h"
#include "commands/commands.h"
#include "commands/table/table_diff.h"
#include "commands/table/table_source.h"
#include "commands/table/table_write_options.h"
#include "commands/table/table_write_plan.h"
#include "io/whole_file.h"
#include "plans/plan_file.h"
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
  std::optional<std::string> plan{};
};

// A plan of a few hundred panels is a few megabytes; far more is no plan.
constexpr std::size_t kPlanFileLimit = 64 * 1024 * 1024;

PanelOutcome WriteTable(PanelTarget& target, const TableSetOptions& args,
                        const TableSource& source) {
  const TableSource::ForPanel given = source.For(target.panel);
  if (given.failure) return *given.failure;
  const std::vector<table_file::RowChange>& changes = given.changes;
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

PanelOutcome WritePlanned(PanelTarget& target, const PlannedPanel& planned,
                          const TableSetOptions& args) {
  protocol::IpSettingRecord table;
  PanelOutcome read = ReadCameraTable(target.link, table);
  if (!read.Ok()) return read;
  if (TableDigest(table) != planned.readSha256)
    return Failure(Code::kRefused, "not written", "the panel's table changed since the plan");
  if (planned.refusal) return Failure(Code::kRefused, "not written", *planned.refusal);
  PanelOutcome written = WriteCameraTable(target.link, planned.table);
  if (!written.Ok()) return written;
  written.file = *args.plan;
  if (!args.verify) return written;
  return VerifyCameraTable(target.link, planned.table, std::move(written));
}

int TableSetFromPlan(const RunContext& context, const TableSetOptions& args) {
  const WholeFile text = ReadWholeFile(context.machine.Files(), *args.plan, kPlanFileLimit);
  if (text.failure) {
    fmt::print(stderr, "vk38: {}; nothing was sent\n", *text.failure);
    return kExitFileRefused;
  }
  std::variant<Plan, std::string> read = ReadPlan(text.bytes);
  if (const std::string* why = std::get_if<std::string>(&read)) {
    fmt::print(stderr, "vk38: {}: {}; nothing was sent\n", *args.plan, *why);
    return kExitFileRefused;
  }
  const Plan& plan = std::get<Plan>(read);
  std::vector<Panel> panels;
  std::map<protocol::PanelAddress, const PlannedPanel*> byAddress;
  for (const PlannedPanel& planned : plan.panels) {
    panels.push_back(planned.panel);
    byAddress[planned.panel.address] = &planned;
  }
  return RunOnPanels(context, panels,
                     [&](PanelTarget& target) {
                       return WritePlanned(target, *byAddress.at(target.panel.address), args);
                     },
                     {.changesPanels = true});
}

int TableSet(const RunContext& context, const std::vector<Panel>& panels,
             const TableSetOptions& args) {
  if (args.plan) return TableSetFromPlan(context, args);
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
  CLI::Option* panels = AddPanelWork(
      *set, invocation, [options](const RunContext& context, const std::vector<Panel>& panels) {
        return TableSet(context, panels, *options);
      });
  panels->required(false);
  // The panels come first; the first word that names no panel is FILE.
  set->validate_positionals();
  CLI::Option* file = set->add_option(
      "FILE", options->file,
      "CSV or JSON as table get writes it (JSON told by its content), or - for standard input. "
      "Rows, columns and keys may be left out; an empty cell leaves the panel's value. A column "
      "or key the table does not have refuses the file. A folder: each panel's own file in it, "
      "as table get names them (<address>_<name>.csv or .json, else <address>.csv or .json); a "
      "panel without one fails.");
  AddTableWriteRules(*set, options->rules);
  set->add_flag("--verify", options->verify,
                "after the panel's WRITE OK, read its table back and compare the fields written "
                "(the MAC rule accounted for); a difference fails the panel as not-verified");
  CLI::Option* dryRun =
      set->add_flag("--dry-run", options->dryRun,
                    "write nothing: tell what the file would change, as table diff does, with its "
                    "exit codes");
  set->add_option("--plan", options->plan,
                  "write a plan that table diff, table assign or table clear saved, in place of "
                  "FILE and PANEL: each planned panel is read again and written exactly the "
                  "planned table; a panel whose table is no longer the one read is refused")
      ->excludes(panels)
      ->excludes(file)
      ->excludes(dryRun);
  // Without a plan, the panels and the file are needed.
  set->parse_complete_callback([options, panels, file] {
    if (options->plan) return;
    if (panels->count() == 0) throw CLI::RequiredError(panels->get_name());
    if (file->count() == 0) throw CLI::RequiredError(file->get_name());
  });
  set->footer(
      "Standard output: the outcome lines and the summary. The page's notices (errors, "
      "warnings, questions), each headed by its panel, go to standard error as each panel ends; "
      "a duplication names the entries that share the address (\"C011 and C012: "
      "IP(10.0.0.12) Duplication\"). With --json each outcome object also holds \"notices\" "
      "(kind, text, entries) and \"refusal\". The firmware questions cannot be answered per "
      "panel: without --yes a table that asks them is not written to that panel.");
}

}  // namespace cli
