#include "cli/vk38_app.h"

#include <chrono>
#include <map>

#include <CLI/CLI.hpp>

#include "cli/commands.h"
#include "cli/panel_names.h"

namespace cli {

namespace {

constexpr const char* kExitCodes =
    "\nPANEL: an address such as 192.168.0.9, or VK1 to VK5 (the program's built-in panels).\n"
    "Exit codes: 0 every panel succeeded; 1 one or more panels failed (each is reported);\n"
    "2 a file given was refused before any panel was asked; 100 and above: usage errors.";

const CLI::Validator kPanel(
    [](std::string& text) -> std::string {
      if (ResolvePanel(text)) return {};
      return "PANEL must be an address a.b.c.d that a panel can have, or VK1 to VK5: " + text;
    },
    "PANEL");

std::vector<PanelAddress> Resolve(const std::vector<std::string>& texts) {
  std::vector<PanelAddress> panels;
  for (const std::string& text : texts) panels.push_back(*ResolvePanel(text));
  return panels;
}

struct Arguments {
  // Shared by every command.
  int jobs = 8;
  bool json = false;
  double timeoutSeconds = std::chrono::duration<double>(kPanelProgressLimit).count();
  // Per command.
  std::vector<std::string> panels;
  std::string panel;
  std::string output;
  std::string file;
  std::string format = "csv";
  bool yes = false;
  std::string oldUser;
  std::string newUser;
  bool passwordStdin = false;
  std::string program;
  std::string fpga;
};

RunContext ContextOf(const Arguments& args, Machine& machine) {
  RunContext context{.machine = machine};
  context.waits.progress = std::chrono::milliseconds(
      static_cast<std::chrono::milliseconds::rep>(args.timeoutSeconds * 1000));
  context.jobs = args.jobs;
  context.form = args.json ? ReportForm::kJson : ReportForm::kPlain;
  context.progress = !args.json && machine.ErrorsOnTerminal();
  return context;
}

}  // namespace

int RunVk38(int argc, const char* const* argv, Machine& machine) {
  CLI::App app{"vk38: camera tables, setups and logs of TL-VK38 panels, many at once", "vk38"};
  app.footer(kExitCodes);
  app.require_subcommand(1);
  app.fallthrough();
  Arguments args;
  app.add_option("--jobs,-j", args.jobs, "panels worked on at once")->check(CLI::Range(1, 64));
  app.add_flag("--json", args.json, "one JSON object per panel per line");
  app.add_option("--timeout", args.timeoutSeconds,
                 "seconds a panel may stay silent before it counts as failed")
      ->check(CLI::Range(0.05, 3600.0));

  CLI::App* table = app.add_subcommand("table", "the camera table")->require_subcommand(1);
  CLI::App* tableGet = table->add_subcommand("get", "read the camera table of each panel");
  tableGet->add_option("PANEL", args.panels, "one or more panels")->required()->check(kPanel);
  tableGet->add_option("-o,--output", args.output,
                       "a file (one panel) or a folder (files named by address)");
  tableGet->add_option("--format", args.format)->check(CLI::IsMember({"csv", "json"}));
  CLI::App* tableSet = table->add_subcommand("set", "write a camera table file to a panel");
  tableSet->add_option("PANEL", args.panel, "the panel")->required()->check(kPanel);
  tableSet->add_option("FILE", args.file, "CSV or JSON as table get writes it")->required();
  tableSet->add_flag("--yes", args.yes, "answer the firmware questions with OK");

  CLI::App* setup = app.add_subcommand("setup", "the setup block")->require_subcommand(1);
  CLI::App* backup = setup->add_subcommand("backup", "save each panel's setup to a file");
  backup->add_option("PANEL", args.panels, "one or more panels")->required()->check(kPanel);
  backup->add_option("-o,--output", args.output, "folder for the files")->required();
  CLI::App* restore = setup->add_subcommand("restore", "load a setup file into a panel");
  restore->add_option("PANEL", args.panel, "the panel")->required()->check(kPanel);
  restore->add_option("FILE", args.file)->required();

  CLI::App* log = app.add_subcommand("log", "save each panel's log to a file");
  log->add_option("PANEL", args.panels, "one or more panels")->required()->check(kPanel);
  log->add_option("-o,--output", args.output, "folder for the files")->required();

  CLI::App* auth =
      app.add_subcommand("auth", "the panel's user name and password")->require_subcommand(1);
  CLI::App* authSet = auth->add_subcommand(
      "set", "change the pair; passwords are asked for without echo (old, new, new again)");
  authSet->add_option("PANEL", args.panel, "the panel")->required()->check(kPanel);
  authSet->add_option("--old-user", args.oldUser, "the user name the panel holds")->required();
  authSet->add_option("--new-user", args.newUser, "the new user name")->required();
  authSet->add_flag("--password-stdin", args.passwordStdin,
                    "read the three passwords as lines from standard input");

  CLI::App* upgrade = app.add_subcommand("upgrade", "load a firmware image into each panel");
  upgrade->add_option("PANEL", args.panels, "one or more panels")->required()->check(kPanel);
  CLI::Option* program = upgrade->add_option("--program", args.program, "the program image");
  CLI::Option* fpga = upgrade->add_option("--fpga", args.fpga, "the FPGA image");
  program->excludes(fpga);

  try {
    app.parse(argc, argv);
    if (*tableGet && args.panels.size() > 1 && args.output.empty()) {
      throw CLI::RequiredError("-o FOLDER for more than one panel");
    }
    if (*upgrade && args.program.empty() && args.fpga.empty()) {
      throw CLI::RequiredError("--program FILE or --fpga FILE");
    }
  } catch (const CLI::ParseError& error) {
    return app.exit(error);
  }

  const RunContext context = ContextOf(args, machine);
  if (*tableGet) {
    TableGetArgs get{.panels = Resolve(args.panels)};
    if (!args.output.empty()) get.output = args.output;
    get.format = args.format == "json" ? TableFormat::kJson : TableFormat::kCsv;
    return TableGet(context, get);
  }
  if (*tableSet) {
    return TableSet(context,
                    {.panel = *ResolvePanel(args.panel), .file = args.file, .yes = args.yes});
  }
  if (*backup) return SetupBackup(context, Resolve(args.panels), args.output);
  if (*restore) return SetupRestore(context, *ResolvePanel(args.panel), args.file);
  if (*authSet) {
    return AuthSet(context, {.panel = *ResolvePanel(args.panel),
                             .oldUser = args.oldUser,
                             .newUser = args.newUser,
                             .passwordStdin = args.passwordStdin});
  }
  if (*upgrade) {
    const bool isProgram = !args.program.empty();
    return Upgrade(context, Resolve(args.panels), isProgram ? Image::kProgram : Image::kFpga,
                   isProgram ? args.program : args.fpga);
  }
  return SaveLogs(context, Resolve(args.panels), args.output);
}

}  // namespace cli
