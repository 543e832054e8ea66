#include "command_line/vk38_app.h"

#include <fmt/format.h>
#include <CLI/CLI.hpp>

#include <cmath>
#include <memory>

#include <fmt/format.h>

#include "command_line/generate_option.h"
#include "command_line/help_formatter.h"
#include "command_line/invocation.h"
#include "command_line/unknown_command.h"
#include "commands/commands.h"
#include "io/output_file.h"
#include "panels/inventory.h"
#include "setuptool_version.h"

namespace cli {

namespace {

// Paragraphs, one a line and a blank line between them, which --help wraps (help_formatter.h) and
// the man page sets as its DESCRIPTION, EXIT STATUS and EXAMPLES; example lines start with two
// spaces.
std::string Footer() {
  return fmt::format(
      "PANEL: an address such as 192.168.0.9, or a panel name of SetupTool in any case ({}); "
      "or @FILE, an inventory: one panel a line, optionally followed by a name (1 to {} ASCII "
      "letters, digits, - _ and ., the first a letter or digit) that the outcomes and the "
      "files written carry; blank lines and # comments are skipped. A bad line is refused with "
      "its line number (exit 2) before any panel is contacted, and so is a panel listed under "
      "two names. A panel given twice is worked on once.\n\n"
      "Standard output: one line per panel as it ends (with --json one JSON object: panel, "
      "name, ok, code, message, cause, file, bytes, changed), then a summary; where a command "
      "puts a table, block or log on standard output (-o -), those lines go to standard "
      "error.\n\n"
      "Codes: ok, unreachable, timeout, broken, refused, bad-data, file, interrupted, "
      "not-verified (--verify: the panel answered WRITE OK but read back otherwise), "
      "not-started (--canary or --max-fail kept the panel from being started).\n\n"
      "A command that changes panels (table set, setup restore, auth set, upgrade) tells for "
      "each panel whether it may hold the change: changed no (nothing that changes it went "
      "out), maybe (it went out and no verdict came back: read the panel back), yes (the panel "
      "confirmed it); null for the commands that only read.\n\n"
      "Exit codes: 0 every panel succeeded; 1 one or more panels failed (each is reported); 2 "
      "a file or input given (an inventory too) was refused before any panel was asked; 130 "
      "stopped by Ctrl-C, SIGTERM or SIGHUP (the panels in flight end at once, none is started "
      "or tried again any more); 100 and above: usage errors. table diff and table set --dry-run "
      "exit as diff does: 0 no change, 1 changes, 2 trouble.\n\n"
      "Examples:\n"
      "  vk38 table get VK1 -o vk1.csv\n"
      "  vk38 table diff @studio-a.txt names.csv\n"
      "  vk38 table set @studio-a.txt names.csv --strict --verify --yes\n"
      "  vk38 --retries 3 setup backup VK1 VK2 VK3 VK4 VK5 -o backups/\n"
      "  vk38 setup restore VK2 backups/192.168.0.7_20260101-120000.v38 --verify\n"
      "  vk38 log VK1 VK2 -o logs/\n"
      "  vk38 auth set VK1 --old-user staff --new-user keeper\n"
      "  vk38 upgrade VK1 VK2 --program vk38.bin --yes\n"
      "  vk38 --json setup backup @studio-a.txt -o backups/ > outcomes.jsonl",
      PanelNamesText(), kLongestPanelName);
}

// A number of seconds from 0.05 to `most`; not "nan" or "inf", which a
// range alone lets through or turns into no limit.
CLI::Validator FiniteSeconds(std::string option, double most) {
  return CLI::Validator(
      [option, most](std::string& text) -> std::string {
        double seconds = 0;
        const bool number = CLI::detail::lexical_cast(text, seconds) && std::isfinite(seconds);
        if (number && seconds >= 0.05 && seconds <= most) return {};
        return fmt::format("{} takes a number of seconds from 0.05 to {}: {}", option, most, text);
      },
      "SECONDS");
}

// How a command that works on panels goes on past failures, and where it
// lists the panels that failed; scan, which finds panels, takes none of them.
void AddStageOptions(CLI::App& app, GlobalOptions& global) {
  app.add_option("--canary", global.canary,
                 "work on the first N panels (in the order given) first, and on the rest only "
                 "if all N succeeded; the others end not-started")
      ->check(CLI::Range(1, 1000000));
  app.add_option("--max-fail", global.maxFail,
                 "start no further panel once N panels failed; the panels not started end "
                 "not-started")
      ->check(CLI::Range(1, 1000000));
  app.add_option("--failed", global.failedFile,
                 "list the panels that did not succeed, with their names, in FILE as an "
                 "inventory to rerun them with @FILE (each line's comment tells how the panel "
                 "ended); when every panel succeeded, no FILE is left: one there is removed")
      ->check(CLI::Validator(
          [](std::string& text) -> std::string {
            if (!text.empty() && text != kStandardStream) return {};
            return "--failed takes a file, not standard output";
          },
          "FILE"));
}

void AddGlobalOptions(CLI::App& app, GlobalOptions& global) {
  app.set_version_flag("--version", SETUPTOOL_VERSION_TEXT, "print the version and end");
  app.add_option("--jobs,-j", global.jobs, "how many panels are worked on at once, 1 to 64")
      ->capture_default_str()
      ->check(CLI::Range(1, 64));
  app.add_flag("--json", global.json,
               "each outcome as one JSON object per line, then a summary object");
  app.add_option("--timeout", global.timeoutSeconds,
                 "seconds (0.05 to 3600) a panel may stay silent before it counts as failed; "
                 "the verdict after a firmware image may take 10 minutes")
      ->capture_default_str()
      ->check(FiniteSeconds("--timeout", 3600));
  app.add_option("--max-time", global.maxTimeSeconds,
                 "seconds (0.05 to 604800) all of one panel's work may take, tries again "
                 "included; without it, a table, setup or credential exchange may take 4 times "
                 "--timeout in all, and a log or an image as long as the panel keeps sending or "
                 "taking it")
      ->check(FiniteSeconds("--max-time", 604800));
  app.add_option("--retries", global.retries,
                 "how often (0 to 100) a panel is tried again when the network failed it: no "
                 "connection, silence, or a break before anything was written to it; after a "
                 "pause of 1 s, 2 s, 4 s, 8 s, then 16 s. A write whose command went out, a "
                 "refusal, bad data and a file's failure are never tried again; Ctrl-C ends the "
                 "tries")
      ->capture_default_str()
      ->check(CLI::Range(0, 100));
  CLI::Option* quiet =
      app.add_flag("-q,--quiet", global.quiet,
                   "print only the failures and the summary (no notes, no progress line)");
  CLI::Option* verbose = app.add_flag(
      "-v,--verbose", global.verbose,
      "also trace each step of every exchange on standard error: the connection, each command "
      "line sent and reply line received, and the size of each block (never its bytes, so no "
      "password shows)");
  quiet->excludes(verbose);
  AddStageOptions(app, global);
}

}  // namespace

void DefineVk38(CLI::App& app, Invocation& invocation) {
  app.name("vk38");
  // Before the commands are added: each takes its parent's formatter.
  app.formatter(std::make_shared<HelpFormatter>());
  app.description(
      "vk38: camera tables, setups, logs, credentials and firmware of TL-VK38 panels, many at "
      "once");
  app.footer(Footer());
  app.require_subcommand(1);
  app.fallthrough();
  AddGlobalOptions(app, invocation.global);

  CLI::App* table = app.add_subcommand("table", "The camera table: get, set, diff, assign, clear.")
                        ->require_subcommand(1);
  AddTableGet(*table, invocation);
  AddTableSet(*table, invocation);
  AddTableDiff(*table, invocation);
  AddTableAssign(*table, invocation);
  AddTableClear(*table, invocation);
  CLI::App* setup =
      app.add_subcommand("setup", "The setup block: backup, restore.")->require_subcommand(1);
  AddSetupBackup(*setup, invocation);
  AddSetupRestore(*setup, invocation);
  AddLog(app, invocation);
  CLI::App* auth =
      app.add_subcommand("auth", "The panel's user name and password: set.")->require_subcommand(1);
  AddAuthSet(*auth, invocation);
  AddUpgrade(app, invocation);
  AddScan(app, invocation);
  AddGenerateOption(app);
}

int RunVk38(int argc, const char* const* argv, Machine& machine) {
  CLI::App app;
  Invocation invocation{.machine = machine};
  DefineVk38(app, invocation);
  // The command given runs in its callback, once everything is parsed.
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    // A mistyped command reads as a missing one to CLI11; name it instead
    // (unless the parse ended well: --help, --version).
    const std::optional<std::string> told =
        error.get_exit_code() == 0 ? std::nullopt : UnknownCommand(app, argc, argv);
    if (told) {
      std::fputs(told->c_str(), stderr);
      return error.get_exit_code();
    }
    return app.exit(error);
  }
  return invocation.exitCode;
}

}  // namespace cli
