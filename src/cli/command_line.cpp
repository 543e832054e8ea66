#include "cli/command_line.h"

#include <algorithm>

#include <fmt/format.h>

#include "cli/output_file.h"
#include "cli/panel_names.h"

namespace cli {

namespace {

const CLI::Validator& PanelValidator() {
  static const CLI::Validator validator(
      [](std::string& text) -> std::string {
        if (ResolvePanel(text)) return {};
        return "PANEL must be an address a.b.c.d that a panel can have, or VK1 to VK5: " + text;
      },
      "PANEL");
  return validator;
}

}  // namespace

RunContext Invocation::Context() const {
  RunContext context{.machine = machine};
  context.waits.progress = std::chrono::milliseconds(
      static_cast<std::chrono::milliseconds::rep>(global.timeoutSeconds * 1000));
  context.jobs = global.jobs;
  context.form = global.json ? ReportForm::kJson : ReportForm::kPlain;
  context.progress = !global.json && machine.ErrorsOnTerminal();
  return context;
}

// What PANEL may be, for every command's help.
std::string PanelHelp(std::string_view count) {
  return fmt::format(
      "{}: an address such as 192.168.0.9, or a panel name of the program in any case ({})", count,
      PanelNamesText());
}

CLI::Option* AddPanelsArgument(CLI::App& command, std::vector<std::string>& panels) {
  return command
      .add_option("PANEL", panels,
                  PanelHelp("one or more panels, each worked on once however often it is given"))
      ->required()
      ->check(PanelValidator());
}

CLI::Option* AddPanelArgument(CLI::App& command, std::string& panel) {
  return command.add_option("PANEL", panel, PanelHelp("the panel"))
      ->required()
      ->check(PanelValidator());
}

std::vector<protocol::PanelAddress> Resolve(const std::vector<std::string>& texts) {
  std::vector<protocol::PanelAddress> panels;
  for (const std::string& text : texts) {
    const protocol::PanelAddress panel = Resolve(text);
    // Two connections to one panel would race each other (and write one file twice).
    if (std::find(panels.begin(), panels.end(), panel) != panels.end()) {
      fmt::print(stderr, "vk38: {} ({}) is given more than once; it is worked on once\n", text,
                 protocol::AddressText(panel));
      continue;
    }
    panels.push_back(panel);
  }
  return panels;
}

protocol::PanelAddress Resolve(const std::string& text) { return ResolvePanel(text).value_or(0); }

void RequireOnePanelFor(const std::vector<protocol::PanelAddress>& panels,
                        const std::string& output) {
  if (panels.size() > 1 && output == kStandardStream) {
    throw CLI::ValidationError("-o", "standard output (-) takes one panel; give -o FOLDER");
  }
}

}  // namespace cli
