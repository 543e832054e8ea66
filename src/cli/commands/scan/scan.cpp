// scan: the panels on a network. Each address of the ranges given is asked
// for its camera table (the Setting page's REFRESH, and nothing else); an
// address that answers with a whole record with a good sum is a panel. The
// panels found make an inventory, one a line in address order, ready for
// @FILE.
#include <fmt/format.h>

#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "commands/commands.h"
#include "commands/scan/address_ranges.h"
#include "commands/scan/scan_findings.h"
#include "commands/scan/scan_progress.h"
#include "io/note_lines.h"
#include "io/output_file.h"
#include "run/fleet.h"
#include "run/panel_operations.h"
#include "run/retry.h"

namespace cli {

namespace {

// An address that does not answer costs this long, unless --timeout says
// otherwise: a panel answers a table read well within it.
constexpr double kScanTimeoutSeconds = 2;

struct ScanOptions {
  std::vector<std::string> ranges;
  std::string output{kStandardStream};
};

CLI::Validator RangeValidator() {
  return CLI::Validator(
      [](std::string& text) -> std::string {
        const std::variant<AddressRange, std::string> range = ParseAddressRange(text);
        const std::string* why = std::get_if<std::string>(&range);
        return why ? *why : std::string();
      },
      "RANGE");
}

PanelOutcome ReadTable(PanelTarget& target) {
  protocol::IpSettingRecord table;
  PanelOutcome read = ReadCameraTable(target.link, table);
  return read.Ok() ? Found(std::move(read), table) : read;
}

// An address that took the connection and then answered as no panel does:
// worth a note, unlike the many where nothing listens.
bool AnsweredAsNoPanel(const PanelOutcome& outcome) {
  return !outcome.Ok() && outcome.code != Code::kUnreachable && outcome.code != Code::kInterrupted;
}

std::string FoundJson(const std::vector<PanelOutcome>& outcomes, std::size_t asked) {
  std::string text;
  std::size_t found = 0;
  for (const PanelOutcome& outcome : outcomes) {
    if (!outcome.Ok()) continue;
    text += OutcomeLine(outcome, ReportForm::kJson) + "\n";
    ++found;
  }
  const nlohmann::ordered_json summary = {{"summary", {{"addresses", asked}, {"panels", found}}}};
  return text + summary.dump() + "\n";
}

int Scan(Invocation& invocation, const ScanOptions& args) {
  std::vector<AddressRange> ranges;
  for (const std::string& text : args.ranges) {
    // Checked as parsed.
    ranges.push_back(std::get<AddressRange>(ParseAddressRange(text)));
  }
  std::variant<std::vector<protocol::PanelAddress>, std::string> addresses = ScanAddresses(ranges);
  if (const std::string* why = std::get_if<std::string>(&addresses)) {
    fmt::print(stderr, "vk38: {}; no address was asked\n", *why);
    return kExitFileRefused;
  }
  const RunContext context = invocation.Context();
  // The output is made ready before the scan, which may take long.
  std::unique_ptr<OutputFile> file;
  if (args.output != kStandardStream) {
    std::string failure;
    file = CreateOutput(context.machine.Files(), args.output, Naming::kReplace, failure);
    if (!file) {
      fmt::print(stderr, "vk38: {} cannot be written: {}; no address was asked\n", args.output,
                 failure);
      return kExitFileRefused;
    }
  }
  std::vector<Panel> panels;
  for (const protocol::PanelAddress address : std::get<0>(addresses)) {
    panels.push_back({.address = address});
  }

  const bool quiet = context.verbosity == Verbosity::kQuiet;
  ScanProgress progress(stderr, context.progress, panels.size());
  NoteLines lines(nullptr);
  const FleetWatch watch{.stop = &context.machine.Stop(),
                         .ended =
                             [&](const PanelOutcome& outcome) {
                               if (!quiet && AnsweredAsNoPanel(outcome)) {
                                 progress.Clear();
                                 fmt::print(stderr, "vk38: {}: no panel: {}\n",
                                            protocol::AddressText(outcome.panel),
                                            OneLine(outcome.message + " - " + outcome.cause));
                               }
                               progress.Ended(outcome.Ok());
                             },
                         .tick = [&] { progress.Redraw(); }};
  const std::vector<PanelOutcome> outcomes = RunFleet(
      panels, context.jobs,
      [&](const Panel& panel) { return TryPanel(context, panel, ReadTable, lines); }, watch);
  progress.Clear();
  if (context.Stopped()) {
    fmt::print(stderr, "vk38: the scan was stopped; no inventory was written\n");
    return kExitStopped;
  }

  const auto found = std::count_if(outcomes.begin(), outcomes.end(),
                                   [](const PanelOutcome& outcome) { return outcome.Ok(); });
  const std::string inventory = FoundInventory(
      fmt::format("vk38 scan {}: {} panel{} in {} address{}", fmt::join(args.ranges, " "), found,
                  found == 1 ? "" : "s", panels.size(), panels.size() == 1 ? "" : "es"),
      outcomes);
  const std::string shown =
      context.form == ReportForm::kJson ? FoundJson(outcomes, panels.size()) : inventory;
  const bool printed = std::fwrite(shown.data(), 1, shown.size(), context.report) == shown.size() &&
                       std::fflush(context.report) == 0;
  if (found == 0) {
    // An inventory of a network that was down would replace a good one.
    fmt::print(stderr, "vk38: no panel answered{}\n",
               file ? fmt::format("; {} was left as it was", args.output) : "");
    return kExitPanelFailed;
  }
  if (file && (!file->Write(BytesOf(inventory)) || !file->Finish())) {
    fmt::print(stderr, "vk38: the inventory could not be written to {}: {}\n", args.output,
               file->Failure());
    return kExitPanelFailed;
  }
  return printed ? kExitSuccess : kExitPanelFailed;
}

}  // namespace

void AddScan(CLI::App& app, Invocation& invocation) {
  const auto options = std::make_shared<ScanOptions>();
  CLI::App* scan =
      app.add_subcommand("scan", "Find the panels in address ranges, as an inventory for @FILE.");
  scan->add_option("RANGE", options->ranges,
                   "an address a.b.c.d, a run a.b.c.d-e of last octets, or a CIDR block "
                   "a.b.c.d/n; at most 65536 addresses in all")
      ->required()
      ->check(RangeValidator());
  scan->add_option("-o,--output", options->output,
                   "also write the inventory to this file, replaced only once it is whole; left "
                   "as it was when no panel answered")
      ->capture_default_str();
  scan->footer(
      "Each address is asked for its camera table, and nothing else is sent; one that answers "
      "with a whole table with a good sum is a panel. Standard output: the inventory, one "
      "panel a line in address order, each with a comment giving its switcher's address and "
      "how many cameras it uses (with --json one object per panel found, with switcher and "
      "cameras, then a summary of addresses and panels). --timeout is 2 seconds unless given. "
      "Exit codes: 0 panels were found, 1 none was, 2 the ranges hold more than 65536 "
      "addresses or none that a panel can have, or the file cannot be written.");
  scan->callback([&invocation, &app, options] {
    // A scan waits on many addresses where nothing answers.
    if (app.get_option("--timeout")->count() == 0) {
      invocation.global.timeoutSeconds = kScanTimeoutSeconds;
    }
    invocation.exitCode = Scan(invocation, *options);
  });
}

}  // namespace cli
