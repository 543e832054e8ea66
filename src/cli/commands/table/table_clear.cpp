// table clear: the Setting page's ALL CLEAR for many panels. Each panel's
// table is read, set to the numbering plan counted from that panel's own
// address, and written with SET's rules (the address tests, the MAC rule,
// the firmware questions), once --yes or a yes at the terminal confirmed it.
// --dry-run tells the cleared table as table diff tells changes.
#include <fmt/format.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "command_line/panel_work.h"
#include "commands/commands.h"
#include "commands/table/table_diff.h"
#include "commands/table/table_write_options.h"
#include "commands/table/table_write_plan.h"
#include "io/confirmation.h"
#include "rules/camera_table_edits.h"
#include "run/panel_operations.h"
#include "run/run_on_panels.h"
#include "run/write_verification.h"

namespace cli {

namespace {

struct TableClearOptions {
  bool yes = false;
  bool strict = false;
  bool verify = false;
  bool dryRun = false;
  std::optional<std::string> plan{};
};

// What ALL CLEAR would write over `read`; `writeRules.yes` answers the
// firmware questions.
TableWritePlan ClearedPlan(const protocol::IpSettingRecord& read, protocol::PanelAddress panel,
                           TableWriteRules writeRules) {
  protocol::IpSettingRecord cleared = read;
  rules::ClearToNumberingPlan(cleared, panel);
  return PlanTableWrite(read, cleared, panel, writeRules);
}

std::vector<std::string> PlanLines(const TableWritePlan& plan) {
  std::vector<std::string> lines;
  for (const table_file::FieldChange& change : plan.changes)
    lines.push_back(table_file::ChangeLine(change));
  for (const TableNotice& notice : plan.notices) lines.push_back(NoticeLine(notice));
  return lines;
}

PanelOutcome ClearOne(PanelTarget& target, const TableClearOptions& args,
                      PanelQuestions& questions) {
  protocol::IpSettingRecord read;
  PanelOutcome outcome = ReadCameraTable(target.link, read);
  if (!outcome.Ok()) return outcome;
  // A confirmed clear answers the firmware questions with OK: they are
  // shown before the confirmation.
  const TableWritePlan plan =
      ClearedPlan(read, target.panel.address, {.strict = args.strict, .yes = true});
  const std::size_t count = plan.changes.size();
  const auto asked = [&] {
    return questions.Ask(
        PanelText(target.panel), PlanLines(plan),
        fmt::format("Write the cleared table ({} change{})?", count, count == 1 ? "" : "s"));
  };
  PanelOutcome written =
      plan.refusal ? Failure(Code::kRefused, "not written", *plan.refusal)
      : args.yes || asked()
          ? WriteCameraTable(target.link, plan.prepared)
          : Failure(Code::kRefused, "not written", "the table was not confirmed at the terminal");
  TellPlan(plan, PlanView::kWrite, written);
  if (!written.Ok() || !args.verify) return written;
  return VerifyCameraTable(target.link, plan.prepared, std::move(written));
}

int TableClear(const RunContext& context, const std::vector<Panel>& panels,
               const TableClearOptions& args) {
  if (args.dryRun) {
    const PlanMaker clear = [&](PanelTarget& target, const protocol::IpSettingRecord& read,
                                PanelOutcome&) -> std::optional<TableWritePlan> {
      return ClearedPlan(read, target.panel.address, {.strict = args.strict, .yes = args.yes});
    };
    return DiffPanels(context, panels, clear, {.command = "table clear", .planFile = args.plan});
  }
  if (!ConfirmationPossible(context.machine, args.yes, "clearing camera tables"))
    return kExitFileRefused;
  PanelQuestions questions(context.machine);
  return RunOnPanels(context, panels,
                     [&](PanelTarget& target) { return ClearOne(target, args, questions); },
                     {.changesPanels = true});
}

}  // namespace

void AddTableClear(CLI::App& table, Invocation& invocation) {
  const auto options = std::make_shared<TableClearOptions>();
  CLI::App* clear = table.add_subcommand(
      "clear",
      "Reset the camera table of each PANEL to the page's numbering plan (ALL CLEAR): no MAC "
      "addresses, camera n on the n-th address after the panel's own, Network and IP_Direct "
      "cameras and the switcher NoAsign, the switcher just below the panel; written with "
      "SET's rules once confirmed.");
  AddPanelWork(*clear, invocation,
               [options](const RunContext& context, const std::vector<Panel>& panels) {
                 return TableClear(context, panels, *options);
               });
  clear->add_flag("--yes", options->yes,
                  "write without asking, the page's firmware questions answered with OK "
                  "(without it, each panel's cleared table is confirmed at the terminal, and "
                  "nothing is written without a terminal); with --dry-run, answers the "
                  "questions of the write told and planned");
  clear->add_flag("--strict", options->strict,
                  "refuse to write a table in which two entries share an address");
  clear->add_flag("--verify", options->verify,
                  "after the panel's WRITE OK, read its table back and compare the fields "
                  "written; a difference fails the panel as not-verified");
  CLI::Option* dryRun = clear->add_flag(
      "--dry-run", options->dryRun,
      "write nothing: tell what the cleared table would change, as table diff does, with its "
      "exit codes");
  AddPlanOption(*clear, options->plan)->needs(dryRun);
  clear->footer(
      "Standard output: the outcome lines and the summary; each panel's changes and notices "
      "go to standard error as it ends (with --dry-run, to standard output).");
}

}  // namespace cli
