// table diff: what a table file would change on each panel, field by field
// in the page's words, with the notices the write rules would give; the
// panels are only read, and with --plan what would be written is kept in a
// plan file. table set --dry-run runs the same; table assign and table
// clear run DiffPanels with tables of their own.
#include <fmt/format.h>

#include <atomic>
#include <string>
#include <vector>

#include "command_line/panel_work.h"
#include "commands/commands.h"
#include "commands/table/table_diff.h"
#include "commands/table/table_source.h"
#include "commands/table/table_write_options.h"
#include "commands/table/table_write_plan.h"
#include "io/output_file.h"
#include "plans/plan_file.h"
#include "run/panel_operations.h"
#include "run/run_on_panels.h"

namespace cli {

namespace {

// The exit codes of diff: no difference, differences, trouble.
constexpr int kExitSame = 0;
constexpr int kExitDiffers = 1;
constexpr int kExitTrouble = 2;

struct TableDiffOptions {
  std::string file{};
  TableWriteRules rules{};
  std::optional<std::string> plan{};
};

PanelOutcome DiffTable(PanelTarget& target, const PlanMaker& make, std::atomic<bool>& differs,
                       PlanCollector* plans) {
  protocol::IpSettingRecord table;
  PanelOutcome outcome = ReadCameraTable(target.link, table);
  if (!outcome.Ok()) return outcome;
  const std::optional<TableWritePlan> made = make(target, table, outcome);
  if (!made) return outcome;
  const TableWritePlan& plan = *made;
  const std::size_t count = plan.changes.size();
  outcome.message =
      count == 0 ? "no changes" : fmt::format("{} change{}", count, count == 1 ? "" : "s");
  TellPlan(plan, PlanView::kDiff, outcome);
  if (count > 0) differs = true;
  if (plans) {
    plans->Add({.panel = target.panel,
                .readSha256 = TableDigest(table),
                .table = plan.prepared,
                .refusal = plan.refusal,
                .changes = plan.changes});
  }
  return outcome;
}

// The plan of a run in which every panel was planned, saved whole.
bool SavePlan(const RunContext& context, const std::string& path, const Plan& plan) {
  const std::string text = PlanJson(plan);
  const Saved saved = SaveWhole(context.machine.Files(), path, Naming::kReplace, BytesOf(text));
  if (!saved.failure) return true;
  fmt::print(stderr, "vk38: the plan was not saved: {}\n", *saved.failure);
  return false;
}

}  // namespace

int DiffPanels(const RunContext& context, const std::vector<Panel>& panels, const PlanMaker& make,
               const DiffRun& run) {
  std::atomic<bool> differs = false;
  PlanCollector plans;
  PlanCollector* planning = run.planFile ? &plans : nullptr;
  const int ended =
      RunOnPanels(context, panels,
                  [&](PanelTarget& target) { return DiffTable(target, make, differs, planning); },
                  {.detailsAreOutput = true});
  if (ended == kExitStopped) return kExitStopped;
  if (ended != kExitSuccess) {
    if (run.planFile) fmt::print(stderr, "vk38: no plan was saved: not every panel was planned\n");
    return kExitTrouble;
  }
  if (run.planFile &&
      !SavePlan(context, *run.planFile, plans.Made(std::string(run.command), panels))) {
    return kExitTrouble;
  }
  return differs ? kExitDiffers : kExitSame;
}

int TableDiff(const RunContext& context, const std::vector<Panel>& panels, const std::string& file,
              TableWriteRules rules, const std::optional<std::string>& planFile) {
  const std::optional<TableSource> source = TableSource::Open(context.machine.Files(), file);
  if (!source) return kExitTrouble;
  const PlanMaker fromFile = [&](PanelTarget& target, const protocol::IpSettingRecord& read,
                                 PanelOutcome& outcome) -> std::optional<TableWritePlan> {
    TableSource::ForPanel given = source->For(target.panel);
    if (given.failure) {
      outcome = std::move(*given.failure);
      return std::nullopt;
    }
    return PlanTableWrite(read, given.changes, target.panel.address, rules);
  };
  return DiffPanels(context, panels, fromFile, {.command = "table diff", .planFile = planFile});
}

void AddTableDiff(CLI::App& table, Invocation& invocation) {
  const auto options = std::make_shared<TableDiffOptions>();
  CLI::App* diff = table.add_subcommand(
      "diff",
      "Show what table set would change on each PANEL: each panel's table is read (nothing is "
      "written), the file applied over it as table set applies it, and every field that would "
      "change told, old -> new, in the page's words, with the notices the write rules would "
      "give.");
  AddPanelWork(*diff, invocation,
               [options](const RunContext& context, const std::vector<Panel>& panels) {
                 return TableDiff(context, panels, options->file, options->rules, options->plan);
               });
  // The panels come first; the first word that names no panel is FILE.
  diff->validate_positionals();
  diff->add_option("FILE", options->file,
                   "a table file as table set takes it (or a folder of each panel's own), or - "
                   "for standard input")
      ->required();
  AddTableWriteRules(*diff, options->rules);
  AddPlanOption(*diff, options->plan);
  diff->footer(
      "Standard output: for each panel as it ends, its changes (\"C011 CAMERA Name: \"CAM11\" "
      "-> \"studio\"\"), the notices (\"error: C011 and C012: IP(10.0.0.12) Duplication\", "
      "warnings, the firmware questions) and whether the write would be refused (--strict, "
      "--yes), each line headed by the panel; then its outcome line (\"3 changes\") and the "
      "summary. With --json the outcome objects hold \"changes\" (entry, field, before, "
      "after), \"notices\" and \"refusal\".\n"
      "Exit codes, as diff's: 0 no panel would change; 1 a panel would change; 2 trouble: the "
      "file was refused, or a panel could not be read (its outcome says why); 130 stopped; 100 "
      "and above: usage errors. table set --dry-run gives the same.");
}

}  // namespace cli
