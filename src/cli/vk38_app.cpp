#include "cli/vk38_app.h"

#include <CLI/CLI.hpp>

#include <cmath>

#include "cli/command_line.h"
#include "cli/subcommands.h"

namespace cli {

namespace {

constexpr const char* kExitCodes =
    "\nPANEL: an address such as 192.168.0.9, or VK1 to VK5 (the program's built-in panels).\n"
    "Exit codes: 0 every panel succeeded; 1 one or more panels failed (each is reported);\n"
    "2 a file given was refused before any panel was asked; 100 and above: usage errors.";

// A number of seconds from 0.05 to 3600; not "nan" or "inf", which a range
// alone lets through or turns into no limit.
CLI::Validator FiniteSeconds() {
  return CLI::Validator(
      [](std::string& text) -> std::string {
        double seconds = 0;
        const bool number = CLI::detail::lexical_cast(text, seconds) && std::isfinite(seconds);
        if (number && seconds >= 0.05 && seconds <= 3600) return {};
        return "--timeout takes a number of seconds from 0.05 to 3600: " + text;
      },
      "SECONDS");
}

void AddGlobalOptions(CLI::App& app, GlobalOptions& global) {
  app.add_option("--jobs,-j", global.jobs, "panels worked on at once")->check(CLI::Range(1, 64));
  app.add_flag("--json", global.json, "one JSON object per panel per line");
  app.add_option("--timeout", global.timeoutSeconds,
                 "seconds a panel may stay silent before it counts as failed")
      ->check(FiniteSeconds());
}

}  // namespace

int RunVk38(int argc, const char* const* argv, Machine& machine) {
  CLI::App app{"vk38: camera tables, setups and logs of TL-VK38 panels, many at once", "vk38"};
  app.footer(kExitCodes);
  app.require_subcommand(1);
  app.fallthrough();
  Invocation invocation{.machine = machine};
  AddGlobalOptions(app, invocation.global);

  CLI::App* table = app.add_subcommand("table", "the camera table")->require_subcommand(1);
  AddTableGet(*table, invocation);
  AddTableSet(*table, invocation);
  CLI::App* setup = app.add_subcommand("setup", "the setup block")->require_subcommand(1);
  AddSetupBackup(*setup, invocation);
  AddSetupRestore(*setup, invocation);
  AddLog(app, invocation);
  CLI::App* auth =
      app.add_subcommand("auth", "the panel's user name and password")->require_subcommand(1);
  AddAuthSet(*auth, invocation);
  AddUpgrade(app, invocation);

  // The command given runs in its callback, once everything is parsed.
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    return app.exit(error);
  }
  return invocation.exitCode;
}

}  // namespace cli
