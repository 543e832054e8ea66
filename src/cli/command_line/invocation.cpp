#include "command_line/invocation.h"

#include <fmt/format.h>

#include "io/output_file.h"
#include "io/whole_file.h"
#include "panels/inventory.h"
#include "run/exit_codes.h"

namespace cli {

namespace {

// An inventory of thousands of panels is a few hundred kilobytes.
constexpr std::size_t kInventoryLimit = 1024 * 1024;

constexpr char kInventoryMark = '@';

// How many silence limits (--timeout) a session of records and blocks may
// take in all.
constexpr int kExchangeLimitTimes = 4;

bool IsInventory(std::string_view text) { return text.size() > 1 && text[0] == kInventoryMark; }

CLI::Validator PanelValidator() {
  return CLI::Validator(
      [](std::string& text) -> std::string {
        if (ResolvePanel(text) || IsInventory(text)) return {};
        return fmt::format(
            "PANEL must be an address a.b.c.d that a panel can have, VK1 to VK5, or @FILE: {}",
            text);
      },
      "PANEL");
}

// The panels of one PANEL argument: itself, or the lines of its inventory.
std::variant<std::vector<ListedPanel>, std::string> ListedBy(Machine& machine,
                                                             const std::string& text) {
  if (!IsInventory(text)) {
    // Checked as parsed; a word that names no panel is never taken for one.
    const std::optional<protocol::PanelAddress> address = ResolvePanel(text);
    if (!address) return "PANEL names no panel: " + text;
    return std::vector<ListedPanel>{{{.address = *address}, "argument " + text}};
  }
  const std::string file = text.substr(1);
  if (file == kStandardStream) return std::string("an inventory is a file, not standard input");
  const WholeFile inventory = ReadWholeFile(machine.Files(), file, kInventoryLimit);
  if (inventory.failure) return *inventory.failure;
  return ReadInventory(inventory.bytes, file);
}

}  // namespace

RunContext Invocation::Context() const {
  RunContext context{.machine = machine};
  context.waits.progress = std::chrono::milliseconds(
      static_cast<std::chrono::milliseconds::rep>(global.timeoutSeconds * 1000));
  // A panel that trickles its bytes never falls silent: a session of
  // records and blocks (at most 4096 bytes) may take a few times the
  // silence limit in all.
  context.waits.exchange = context.waits.progress * kExchangeLimitTimes;
  if (global.maxTimeSeconds) {
    context.maxTime = std::chrono::milliseconds(
        static_cast<std::chrono::milliseconds::rep>(*global.maxTimeSeconds * 1000));
  }
  context.jobs = global.jobs;
  context.form = global.json ? ReportForm::kJson : ReportForm::kPlain;
  context.retries = global.retries;
  context.stages.canary = static_cast<std::size_t>(global.canary);
  if (global.maxFail) context.stages.maxFail = static_cast<std::size_t>(*global.maxFail);
  context.failedFile = global.failedFile;
  context.verbosity = global.quiet     ? Verbosity::kQuiet
                      : global.verbose ? Verbosity::kVerbose
                                       : Verbosity::kNormal;
  // A progress line would break into the trace, and quiet is quiet.
  context.progress =
      !global.json && context.verbosity == Verbosity::kNormal && machine.ErrorsOnTerminal();
  return context;
}

std::optional<std::vector<Panel>> Invocation::Panels(const std::vector<std::string>& texts) {
  std::vector<ListedPanel> listed;
  const auto refuse = [this](const std::string& why) {
    fmt::print(stderr, "vk38: {}; no panel was contacted\n", why);
    exitCode = kExitFileRefused;
    return std::nullopt;
  };
  for (const std::string& text : texts) {
    std::variant<std::vector<ListedPanel>, std::string> panels = ListedBy(machine, text);
    if (const std::string* why = std::get_if<std::string>(&panels)) return refuse(*why);
    for (ListedPanel& panel : std::get<std::vector<ListedPanel>>(panels)) {
      listed.push_back(std::move(panel));
    }
  }
  // Two connections to one panel would race each other (and write one file twice).
  std::variant<PanelList, std::string> list = ListPanels(listed);
  if (const std::string* why = std::get_if<std::string>(&list)) return refuse(*why);
  PanelList& panels = std::get<PanelList>(list);
  // An inventory of nothing but comments is a mistake, never a run that did all it had to.
  if (panels.panels.empty()) return refuse("the inventories list no panel");
  if (!global.quiet) {
    for (const std::string& note : panels.notes) fmt::print(stderr, "vk38: {}\n", note);
  }
  return std::move(panels.panels);
}

CLI::Option* AddPanelsArgument(CLI::App& command, std::vector<std::string>& panels) {
  // vk38 --help (and the man page's description) says once what PANEL may be.
  return command
      .add_option("PANEL", panels,
                  "one or more panels: addresses, VK1 to VK5, or @FILE inventories (see PANEL "
                  "in vk38 --help)")
      ->required()
      ->check(PanelValidator());
}

}  // namespace cli
