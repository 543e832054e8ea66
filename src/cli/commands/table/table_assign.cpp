// table assign: the Setting page's RENEW or KEEP, then its SET, for many
// panels. Each panel's table is read, the panel asked for its proposal
// (START), the proposal told as the fields it changes against that table
// (and, for keep, the panel's duplicate notices), and with --yes or a yes at
// the terminal the panel told to apply it (the SET of that mode). Nothing
// else goes to the panel: no table is written. --dry-run sends no SET.
#include <fmt/format.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "command_line/output_option.h"
#include "command_line/panel_work.h"
#include "commands/commands.h"
#include "commands/table/table_diff.h"
#include "commands/table/table_output.h"
#include "commands/table/table_write_options.h"
#include "commands/table/table_write_plan.h"
#include "io/confirmation.h"
#include "io/destination.h"
#include "io/output_file.h"
#include "rules/camera_table_texts.h"
#include "rules/camera_table_write.h"
#include "run/panel_operations.h"
#include "run/run_on_panels.h"

namespace cli {

namespace {

using operations::Assignment;

struct TableAssignOptions {
  bool renew = false;
  bool keep = false;
  bool yes = false;
  bool dryRun = false;
  std::optional<std::string> output{};  // where the proposals are saved
  std::optional<std::string> plan{};
};

std::string_view ModeName(Assignment mode) { return mode == Assignment::kRenew ? "renew" : "keep"; }

// Where -o saves each panel's proposal.
struct ProposalFiles {
  std::string output;
  bool toFolder = false;
  table_file::TableFormat format = table_file::TableFormat::kCsv;

  std::string PathFor(const Panel& panel) const {
    const std::string_view suffix = format == table_file::TableFormat::kCsv ? ".csv" : ".json";
    return toFolder ? PanelFilePath(output, panel, suffix) : output;
  }
};

// What the panel proposes, as the fields it changes against the table read
// just before, with the page's duplicate notices of a keep proposal.
struct Proposal {
  protocol::IpSettingRecord table{};
  std::vector<table_file::FieldChange> changes{};
  std::vector<TableNotice> duplicates{};
};

std::vector<TableNotice> DuplicateNotices(const protocol::IpSettingRecord& proposal) {
  std::vector<TableNotice> notices;
  for (const int entry : rules::FlaggedDuplicates(proposal)) {
    const bool sw = entry == rules::kSwitcherEntry;
    notices.push_back(
        {.kind = "error",
         .text = rules::DuplicationText(sw ? proposal.SwAddr() : proposal.CamAddr(entry)),
         .entries = {sw ? std::string(table_file::kSwitcherLabel) : rules::CameraLabel(entry)}});
  }
  return notices;
}

// Asks the panel for its proposal and saves it where -o says; nothing, with
// the failure in `outcome`, when either fails.
std::optional<Proposal> Propose(PanelTarget& target, Assignment mode,
                                const protocol::IpSettingRecord& read, platform::FileSystem& files,
                                const std::optional<ProposalFiles>& saving, PanelOutcome& outcome) {
  Proposal proposal{.table = read};
  PanelOutcome proposed = cli::ProposeAssignment(target.link, mode, proposal.table);
  if (!proposed.Ok()) {
    outcome = std::move(proposed);
    return std::nullopt;
  }
  proposal.changes = table_file::TableChanges(read, proposal.table);
  if (mode == Assignment::kKeep) proposal.duplicates = DuplicateNotices(proposal.table);
  if (saving) {
    outcome = WithSaved(std::move(outcome),
                        SaveWhole(files, saving->PathFor(target.panel), Naming::kReplace,
                                  BytesOf(TableText(proposal.table, saving->format))));
    if (!outcome.Ok()) return std::nullopt;
  }
  return proposal;
}

// The proposal's lines, as a diff tells them.
std::vector<std::string> ProposalLines(const Proposal& proposal) {
  std::vector<std::string> lines;
  for (const table_file::FieldChange& change : proposal.changes)
    lines.push_back(table_file::ChangeLine(change));
  for (const TableNotice& notice : proposal.duplicates) lines.push_back(NoticeLine(notice));
  return lines;
}

PanelOutcome AssignOne(PanelTarget& target, Assignment mode, const TableAssignOptions& args,
                       const RunContext& context, const std::optional<ProposalFiles>& saving,
                       PanelQuestions& questions) {
  protocol::IpSettingRecord read;
  PanelOutcome outcome = ReadCameraTable(target.link, read);
  if (!outcome.Ok()) return outcome;
  const std::optional<Proposal> proposal =
      Propose(target, mode, read, context.machine.Files(), saving, outcome);
  if (!proposal) return outcome;
  const std::vector<std::string> lines = ProposalLines(*proposal);
  const std::string file = outcome.file;
  const std::size_t count = proposal->changes.size();
  const bool confirmed =
      args.yes || questions.Ask(PanelText(target.panel), lines,
                                fmt::format("Apply the panel's {} proposal ({} change{})?",
                                            ModeName(mode), count, count == 1 ? "" : "s"));
  PanelOutcome applied = confirmed ? cli::ConfirmAssignment(target.link, mode)
                                   : Failure(Code::kRefused, "not applied",
                                             "the proposal was not confirmed at the terminal");
  applied.file = file;
  applied.details = lines;
  applied.extra["changes"] = table_file::ChangesJson(proposal->changes);
  nlohmann::ordered_json notices = nlohmann::ordered_json::array();
  for (const TableNotice& notice : proposal->duplicates) {
    notices.push_back({{"kind", notice.kind}, {"text", notice.text}, {"entries", notice.entries}});
  }
  applied.extra["notices"] = std::move(notices);
  return applied;
}

// --dry-run: the proposals told as table diff tells changes; the plan, when
// asked, holds each proposal as the table a table set would write.
int ShowProposals(const RunContext& context, const std::vector<Panel>& panels, Assignment mode,
                  const TableAssignOptions& args, const std::optional<ProposalFiles>& saving) {
  const PlanMaker propose = [&](PanelTarget& target, const protocol::IpSettingRecord& read,
                                PanelOutcome& outcome) -> std::optional<TableWritePlan> {
    const std::optional<Proposal> proposal =
        Propose(target, mode, read, context.machine.Files(), saving, outcome);
    if (!proposal) return std::nullopt;
    TableWritePlan plan = PlanTableWrite(read, proposal->table, target.panel.address,
                                         {.strict = false, .yes = args.yes});
    plan.changes = proposal->changes;
    // The write rules speak only of a plan, which table set writes; the
    // panel's own SET of its proposal knows none of them.
    if (!args.plan) {
      plan.notices.clear();
      plan.refusal.reset();
    }
    plan.notices.insert(plan.notices.begin(), proposal->duplicates.begin(),
                        proposal->duplicates.end());
    return plan;
  };
  return DiffPanels(context, panels, propose, {.command = "table assign", .planFile = args.plan});
}

int TableAssign(const RunContext& context, const std::vector<Panel>& panels,
                const TableAssignOptions& args) {
  const Assignment mode = args.renew ? Assignment::kRenew : Assignment::kKeep;
  if (!args.dryRun && !ConfirmationPossible(context.machine, args.yes, "assigning addresses"))
    return kExitFileRefused;
  std::optional<ProposalFiles> saving;
  if (args.output) {
    const std::optional<Destination> destination =
        ReadyDestination(context.machine.Files(), *args.output, panels, true);
    if (!destination) return kExitFileRefused;
    const bool toFolder = *destination == Destination::kFolder;
    saving = ProposalFiles{.output = *args.output,
                           .toFolder = toFolder,
                           .format = ChosenFormat(std::nullopt, toFolder ? "" : *args.output)};
  }
  if (args.dryRun) return ShowProposals(context, panels, mode, args, saving);
  PanelQuestions questions(context.machine);
  const bool proposalsOnStandardOutput = args.output == kStandardStream;
  return RunOnPanels(context, panels,
                     [&](PanelTarget& target) {
                       return AssignOne(target, mode, args, context, saving, questions);
                     },
                     {.out = proposalsOnStandardOutput ? stderr : nullptr, .changesPanels = true});
}

}  // namespace

void AddTableAssign(CLI::App& table, Invocation& invocation) {
  const auto options = std::make_shared<TableAssignOptions>();
  CLI::App* assign = table.add_subcommand(
      "assign",
      "Let each PANEL assign its cameras' addresses itself (the Setting page's RENEW or KEEP, "
      "then its SET): the panel's table is read, the panel proposes, the proposal is told as "
      "the fields it changes, and once confirmed the panel applies it. No table is written.");
  AddPanelWork(*assign, invocation,
               [options](const RunContext& context, const std::vector<Panel>& panels) {
                 return TableAssign(context, panels, *options);
               });
  CLI::Option* renew = assign->add_flag("--renew", options->renew,
                                        "the panel numbers its networked cameras anew (RENEW)");
  CLI::Option* keep = assign->add_flag(
      "--keep", options->keep,
      "the panel keeps the addresses it can and moves the others (KEEP); the addresses it finds "
      "taken twice are told as the page's duplicate notices");
  renew->excludes(keep);
  // One of the two, told as a usage error before any panel is asked.
  assign->parse_complete_callback([options] {
    if (!options->renew && !options->keep) throw CLI::RequiredError("--renew or --keep");
  });
  assign->add_flag("--yes", options->yes,
                   "apply each proposal without asking (without it, each panel's proposal is "
                   "confirmed at the terminal, and nothing is sent without a terminal); with "
                   "--dry-run --plan, answers the firmware questions of the planned write");
  CLI::Option* dryRun =
      assign->add_flag("--dry-run", options->dryRun,
                       "ask for the proposals and tell them, as table diff tells changes, with "
                       "its exit codes; the panels are not told to apply them");
  assign->add_option("-o,--output", options->output,
                     "save each proposal as a table file (as table get saves tables): a file "
                     "(one PANEL), *.json for JSON; or a folder (more than one PANEL, or a name "
                     "ending in /) of files named by address");
  AddPlanOption(*assign, options->plan)->needs(dryRun);
  assign->footer(
      "Standard output: the outcome lines (\"Finish!!\" when the panel answered \"SETTING "
      "OK\", the page's \"Setting Error!!\" otherwise) and the summary; each proposal's changes "
      "and notices go to standard error as its panel ends (with --dry-run, to standard output). "
      "With --json each outcome object holds \"changes\" and \"notices\".");
}

}  // namespace cli
