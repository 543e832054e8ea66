// vk38's man page and shell completions (vk38 --generate): each names every
// command and subcommand the command line defines and every long option of
// each, the list taken from the command line itself; the man page renders
// without a warning, dated, with its examples and files; bash and fish
// complete the commands, subcommands and options of each command; and the
// generating option itself stays hidden. Its --help: within 80 columns,
// PANEL told once, a mistyped command named with the nearest one. The
// guide and README name only commands, options, JSON fields and codes
// that vk38 has, and their table of codes holds all of vk38's.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <sstream>

#include "command_line/vk38_app.h"
#include "platform/system.h"
#include "run/panel_outcome.h"
#include "setuptool_version.h"
#include "sim/panel_simulator.h"
#include "vk38_runner.h"

namespace {

using cli_test::RunVk38;

// What the command line defines, read with CLI11's own calls: every
// command by its path ("" for vk38 itself, "table get"), its subcommands
// and its long options.
struct Defined {
  std::map<std::string, std::vector<std::string>> subcommands;
  std::map<std::string, std::vector<std::string>> longOptions;
};

void Collect(const CLI::App& app, const std::string& path, Defined& defined) {
  defined.subcommands[path];
  for (const CLI::Option* option : app.get_options()) {
    if (option->get_group().empty()) continue;
    for (const std::string& name : option->get_lnames()) {
      defined.longOptions[path].push_back("--" + name);
    }
  }
  for (const CLI::App* sub : app.get_subcommands([](const CLI::App*) { return true; })) {
    defined.subcommands[path].push_back(sub->get_name());
    Collect(*sub, path.empty() ? sub->get_name() : path + " " + sub->get_name(), defined);
  }
}

Defined Vk38Defines() {
  static const std::unique_ptr<cli::Machine> machine = cli::StartMachine();
  cli::Invocation invocation{.machine = *machine};
  CLI::App app;
  cli::DefineVk38(app, invocation);
  Defined defined;
  Collect(app, "", defined);
  return defined;
}

struct ShellRun {
  int exitCode = -1;
  std::string out;  // standard output and error together
};

ShellRun Shell(const std::string& command) {
  ShellRun run;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[4096];
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
    run.out.append(buffer, got);
  }
  const int status = pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  for (std::size_t end; (end = text.find('\n', at)) != std::string::npos; at = end + 1) {
    lines.push_back(text.substr(at, end - at));
  }
  return lines;
}

// A man page as man shows it, without its bold and underlines.
std::string Shown(const std::string& page) {
  return Shell("MANWIDTH=200 man -l '" + page + "' | col -b").out;
}

bool Contains(const std::vector<std::string>& words, const std::string& word) {
  return std::find(words.begin(), words.end(), word) != words.end();
}

// vk38 --generate FORMAT, kept in a file of the test's.
class Generated : public ::testing::Test {
 protected:
  std::string Generate(const std::string& format) {
    const auto run = RunVk38({"--generate", format});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const std::string file = folder + "/" + format;
    cli_test::WriteText(file, run.out);
    return file;
  }

  // What bash's completion of vk38 offers for the words, the last one being
  // completed.
  std::vector<std::string> BashOffers(const std::string& script, const std::string& words) {
    const ShellRun run = Shell(
        "bash --norc --noprofile -c 'source \"$0\"; COMP_WORDS=(vk38 $1 \"$2\"); "
        "COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); _vk38; for w in \"${COMPREPLY[@]}\"; do echo "
        "\"$w\"; done' '" +
        script + "' '" + words.substr(0, words.rfind(' ') + 1) + "' '" +
        words.substr(words.rfind(' ') + 1) + "'");
    EXPECT_EQ(run.exitCode, 0) << run.out;
    return Lines(run.out);
  }

  const Defined defined = Vk38Defines();
  const std::string folder = cli_test::FreshFolder("reference");
};

TEST_F(Generated, EveryFormatNamesEveryCommandAndLongOptionButNotItsOwnOption) {
  for (const std::string format : {"man", "bash", "zsh", "fish", "powershell"}) {
    SCOPED_TRACE(format);
    std::string text = cli_test::ReadText(Generate(format));
    if (format == "man") {
      // As a reader sees it: roff escapes the dashes.
      text = Shown(folder + "/man");
    }
    for (const auto& [path, options] : defined.longOptions) {
      for (const std::string& command : defined.subcommands.at(path)) {
        EXPECT_NE(text.find(command), std::string::npos) << "command " << command;
      }
      for (const std::string& option : options) {
        // fish names a long option without its dashes: -l json.
        const std::string named = format == "fish" ? "-l " + option.substr(2) : option;
        EXPECT_NE(text.find(named), std::string::npos) << path << " " << option;
      }
    }
    // Hidden: offered nowhere (a script's comments may tell how it was made).
    std::string offered;
    for (const std::string& line : Lines(text)) offered += line.starts_with('#') ? "" : line + "\n";
    EXPECT_EQ(offered.find("--generate"), std::string::npos);
  }
  ASSERT_GT(defined.subcommands.size(), 5u);  // vk38 itself and its commands were walked
  EXPECT_EQ(RunVk38({"--help"}).out.find("--generate"), std::string::npos);
}

TEST_F(Generated, ZshCompletionIsZshThatDefinesAFunctionPerCommand) {
  const std::string script = Generate("zsh");
  const ShellRun functions = Shell(
      "zsh -f -c 'autoload -U compinit && compinit -D -u && source \"$0\" && "
      "print -l ${(ok)functions[(I)_vk38*]}' '" +
      script + "'");
  EXPECT_EQ(functions.exitCode, 0) << functions.out;
  const std::vector<std::string> defined = Lines(functions.out);
  for (const auto& [path, options] : this->defined.longOptions) {
    std::string name = path.empty() ? "_vk38" : "_vk38 " + path;
    std::replace(name.begin(), name.end(), ' ', '_');
    EXPECT_TRUE(Contains(defined, name)) << name << " in " << functions.out;
  }
}

TEST_F(Generated, ManPageHasASectionPerCommandWithItsOptionsAndRendersWithoutWarnings) {
  const std::string page = Generate("man");
  const ShellRun warnings = Shell("groff -man -Tutf8 -ww -z '" + page + "'");
  EXPECT_EQ(warnings.exitCode, 0);
  EXPECT_EQ(warnings.out, "");

  const std::string shown = Shown(page);
  for (const std::string heading :
       {"NAME", "SYNOPSIS", "DESCRIPTION", "OPTIONS", "COMMANDS", "PANEL NAMES", "EXIT STATUS",
        "FILES", "EXAMPLES", "SEE ALSO"}) {
    EXPECT_NE(shown.find("\n" + heading + "\n"), std::string::npos) << heading;
  }
  // Dated by the release, in the page's footer line.
  EXPECT_NE(shown.find(SETUPTOOL_RELEASE_DATE_TEXT), std::string::npos);
  // An example is one command a line as written, not run into the next.
  EXPECT_NE(shown.find(" vk38 table get VK1 -o vk1.csv\n"), std::string::npos);
  EXPECT_NE(shown.find("/usr/share/fish/vendor_completions.d/vk38.fish"), std::string::npos);
  // Each command's section (from its heading to the next) holds its own options.
  for (const auto& [path, options] : defined.longOptions) {
    if (path.empty()) continue;
    const std::size_t start = shown.find("\n   vk38 " + path + "\n");
    ASSERT_NE(start, std::string::npos) << path;
    const std::string section = shown.substr(start, shown.find("\n   vk38 ", start + 1) - start);
    for (const std::string& option : options) {
      EXPECT_NE(section.find(option), std::string::npos) << path << " " << option;
    }
  }
  for (const std::string name : {"VK1", "VK5"}) {
    EXPECT_NE(shown.find("\n       " + name + "    192.168.0."), std::string::npos) << name;
  }
}

TEST_F(Generated, BashCompletesCommandsSubcommandsAndEachCommandsOptions) {
  const std::string script = Generate("bash");
  cli_test::WriteText(folder + "/vk1-table.csv", "");
  EXPECT_EQ(
      Shell("bash --norc --noprofile -c 'source \"$0\"; complete -p vk38' '" + script + "'").out,
      "complete -F _vk38 vk38\n");
  EXPECT_EQ(BashOffers(script, "ta"), std::vector<std::string>{"table"});
  for (const auto& [path, subcommands] : defined.subcommands) {
    SCOPED_TRACE(path);
    if (!subcommands.empty()) {
      EXPECT_EQ(BashOffers(script, path + " "), subcommands);
    }
    // A command takes its own options and, after it, vk38's own.
    const std::vector<std::string> offered = BashOffers(script, path + " --");
    for (const std::string& option : defined.longOptions.at(path)) {
      EXPECT_TRUE(Contains(offered, option)) << option;
    }
    for (const std::string& option : defined.longOptions.at("")) {
      EXPECT_TRUE(Contains(offered, option)) << option;
    }
  }
  EXPECT_EQ(BashOffers(script, "--jobs 4 table get --format "),
            (std::vector<std::string>{"csv", "json"}));
  EXPECT_EQ(BashOffers(script, "table get --format = j"), std::vector<std::string>{"json"});
  EXPECT_EQ(BashOffers(script, "table get --format=csv VK1 --output " + folder + "/vk1-t"),
            std::vector<std::string>{folder + "/vk1-table.csv"});
  EXPECT_EQ(BashOffers(script, "table get VK"),
            (std::vector<std::string>{"VK1", "VK2", "VK3", "VK4", "VK5"}));
  // A table file after its panel is a file name.
  EXPECT_EQ(BashOffers(script, "table set VK1 " + folder + "/vk1-t"),
            std::vector<std::string>{folder + "/vk1-table.csv"});
  // A file of panels after "@", which bash splits off as a word of its own.
  EXPECT_EQ(BashOffers(script, "table get VK2 @ " + folder + "/vk1-t"),
            std::vector<std::string>{folder + "/vk1-table.csv"});
  // Where "@" stays in the word, a folder is offered with its "/".
  std::filesystem::create_directory(folder + "/inventories");
  EXPECT_EQ(BashOffers(script, "table get @" + folder + "/invent"),
            std::vector<std::string>{"@" + folder + "/inventories/"});
  EXPECT_EQ(BashOffers(script, "table get @" + folder + "/vk1-t"),
            std::vector<std::string>{"@" + folder + "/vk1-table.csv"});
}

// What fish's completion of vk38 offers for the command line, the cursor
// at its end: the words, without their descriptions.
std::vector<std::string> FishOffers(const std::string& script, const std::string& line) {
  const ShellRun run = Shell("fish --no-config -c 'source $argv[1]; complete -C $argv[2]' '" +
                             script + "' 'vk38 " + line + "' | cut -f1");
  EXPECT_EQ(run.exitCode, 0) << run.out;
  return Lines(run.out);
}

TEST_F(Generated, FishCompletesCommandsSubcommandsOptionsAndPanels) {
  const std::string script = Generate("fish");
  cli_test::WriteText(folder + "/vk1-table.csv", "");
  EXPECT_EQ(FishOffers(script, "ta"), std::vector<std::string>{"table"});
  for (const auto& [path, subcommands] : defined.subcommands) {
    SCOPED_TRACE(path);
    if (!subcommands.empty()) {
      std::vector<std::string> expected = subcommands;
      std::vector<std::string> offered = FishOffers(script, path + " ");
      std::sort(expected.begin(), expected.end());
      std::sort(offered.begin(), offered.end());
      EXPECT_EQ(offered, expected);
    }
    const std::vector<std::string> offered = FishOffers(script, path + " --");
    for (const std::string& option : defined.longOptions.at(path)) {
      EXPECT_TRUE(Contains(offered, option)) << option;
    }
    for (const std::string& option : defined.longOptions.at("")) {
      EXPECT_TRUE(Contains(offered, option)) << option;
    }
  }
  EXPECT_EQ(FishOffers(script, "--jobs 4 table get --format "),
            (std::vector<std::string>{"csv", "json"}));
  EXPECT_EQ(FishOffers(script, "table get VK"),
            (std::vector<std::string>{"VK1", "VK2", "VK3", "VK4", "VK5"}));
  EXPECT_EQ(FishOffers(script, "table get VK1 --output " + folder + "/vk1-t"),
            std::vector<std::string>{folder + "/vk1-table.csv"});
  EXPECT_EQ(FishOffers(script, "table get @" + folder + "/vk1-t"),
            std::vector<std::string>{"@" + folder + "/vk1-table.csv"});
}

// Every --help, vk38's and each command's.
std::map<std::string, std::string> EveryHelp(const Defined& defined) {
  std::map<std::string, std::string> helps;
  for (const auto& [path, options] : defined.longOptions) {
    std::vector<std::string> arguments;
    for (std::size_t at = 0; at < path.size();) {
      const std::size_t end = std::min(path.find(' ', at), path.size());
      arguments.push_back(path.substr(at, end - at));
      at = end + 1;
    }
    arguments.push_back("--help");
    const auto run = RunVk38(arguments);
    EXPECT_EQ(run.exitCode, 0) << path << ": " << run.err;
    helps[path] = run.out;
  }
  return helps;
}

TEST_F(Generated, HelpFitsEightyColumnsAndTellsPanelOnce) {
  const std::map<std::string, std::string> helps = EveryHelp(defined);
  ASSERT_EQ(helps.size(), defined.longOptions.size());
  const std::string panelParagraph = "or @FILE, an inventory: one panel a line";
  for (const auto& [path, help] : helps) {
    SCOPED_TRACE(path);
    for (const std::string& line : Lines(help)) EXPECT_LE(line.size(), 80u) << line;
    if (path.empty()) {
      EXPECT_NE(help.find(panelParagraph), std::string::npos);
    } else {
      EXPECT_EQ(help.find(panelParagraph), std::string::npos);
    }
  }
  EXPECT_NE(helps.at("table get").find("(see PANEL in vk38 --help)"), std::string::npos);
}

TEST(UnknownCommand, IsNamedWithTheNearestCommand) {
  const auto mistyped = RunVk38({"--jobs", "2", "tabel", "get", "VK1"});
  EXPECT_EQ(mistyped.err, "vk38: unknown command \"tabel\"; did you mean \"table\"?\n");
  EXPECT_GE(mistyped.exitCode, 100);
  EXPECT_EQ(RunVk38({"table", "gte", "VK1"}).err,
            "vk38: unknown command \"gte\"; did you mean \"get\"?\n");
  EXPECT_EQ(RunVk38({"frobnicate"}).err,
            "vk38: unknown command \"frobnicate\"; the commands are: table, setup, log, auth, "
            "upgrade, scan\n");
  // Asked for help, vk38 gives it, whatever else the line holds.
  const auto help = RunVk38({"tabel", "--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_EQ(help.err, "");
  // A missing command is still CLI11's own message.
  EXPECT_NE(RunVk38({"table"}).err.find("A subcommand is required"), std::string::npos);
}

}  // namespace

// --- The guide and README against the program ---------------------------------

// A document as the checks read it: the lines of its code blocks, and its
// prose in paragraphs (a list item is a paragraph of its own), lines joined.
struct Document {
  std::vector<std::string> codeLines;
  std::vector<std::string> paragraphs;
};

Document ReadDocument(const std::string& path) {
  Document document;
  bool inCode = false;
  std::string paragraph;
  const auto endParagraph = [&] {
    if (!paragraph.empty()) document.paragraphs.push_back(paragraph);
    paragraph.clear();
  };
  for (const std::string& text : Lines(cli_test::ReadText(path))) {
    // A list item's lines, a table in one, are indented.
    const std::string line = text.substr(std::min(text.find_first_not_of(' '), text.size()));
    if (line.starts_with("```")) {
      endParagraph();
      inCode = !inCode;
    } else if (inCode) {
      document.codeLines.push_back(line);
    } else if (line.empty() || line.starts_with("#") || line.starts_with("- ") ||
               line.starts_with("|")) {
      endParagraph();
      if (!line.empty() && !line.starts_with("#")) paragraph = line;
    } else {
      paragraph += (paragraph.empty() ? "" : " ") + line;
    }
  }
  endParagraph();
  return document;
}

// The `code spans` of a text.
std::vector<std::string> Spans(const std::string& text) {
  std::vector<std::string> spans;
  for (std::size_t open = text.find('`'); open != std::string::npos;) {
    const std::size_t close = text.find('`', open + 1);
    if (close == std::string::npos) break;
    spans.push_back(text.substr(open + 1, close - open - 1));
    open = text.find('`', close + 1);
  }
  return spans;
}

std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words;
  std::istringstream in(text);
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

bool IsIdentifier(const std::string& text) {
  return !text.empty() && std::islower(static_cast<unsigned char>(text[0])) &&
         std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isalpha(c); });
}

// The option `name` of `command` or of a command above it (options fall
// through to the commands above), hidden ones included.
const CLI::Option* OptionInScope(const CLI::App& command, const std::string& name) {
  for (const CLI::App* at = &command; at != nullptr; at = at->get_parent()) {
    if (const CLI::Option* option = at->get_option_no_throw(name)) return option;
  }
  return nullptr;
}

// What is wrong with a vk38 command line a document shows: a command the
// program does not have, or an option the command does not take; empty
// when nothing is. Words in capitals (COMMAND, FILE) stand for the reader's.
std::string Mistake(const CLI::App& app, const std::vector<std::string>& words) {
  const CLI::App* at = &app;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (word == ">" || word == "|" || word == ";" || word == "&&" || word == "&") break;
    if (word.size() > 1 && word[0] == '-') {
      const std::string name = word.substr(0, word.find('='));
      const CLI::Option* option = OptionInScope(*at, name);
      if (option == nullptr) return "no option " + name + " for \"" + at->get_name() + "\"";
      if (option->get_items_expected_max() > 0 && name == word) ++i;
      continue;
    }
    const auto subcommands = at->get_subcommands({});
    if (subcommands.empty()) continue;
    const bool placeholder = std::all_of(
        word.begin(), word.end(), [](unsigned char c) { return std::isupper(c) || c == '_'; });
    if (placeholder) return {};
    const auto sub = std::find_if(subcommands.begin(), subcommands.end(),
                                  [&](const CLI::App* s) { return s->get_name() == word; });
    if (sub == subcommands.end()) {
      return "no command \"" + word + "\" of \"" + at->get_name() + "\"";
    }
    at = *sub;
  }
  return {};
}

// The names of every option of `command` and the commands below it.
void CollectOptionNames(const CLI::App& command, std::set<std::string>& names) {
  for (const CLI::Option* option : command.get_options()) {
    for (const std::string& name : option->get_snames()) names.insert("-" + name);
    for (const std::string& name : option->get_lnames()) names.insert("--" + name);
  }
  for (const CLI::App* sub : command.get_subcommands({})) CollectOptionNames(*sub, names);
}

// Every key of every JSON object in `value`, nested ones included.
void CollectKeys(const nlohmann::json& value, std::set<std::string>& keys) {
  if (value.is_object()) {
    for (const auto& [key, member] : value.items()) {
      keys.insert(key);
      CollectKeys(member, keys);
    }
  } else if (value.is_array()) {
    for (const nlohmann::json& member : value) CollectKeys(member, keys);
  }
}

void CollectJsonLines(const std::string& text, std::set<std::string>& keys) {
  for (const std::string& line : Lines(text)) {
    if (line.starts_with("{")) CollectKeys(nlohmann::json::parse(line), keys);
  }
}

class Documents : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(simulator.Start(&error)) << error;
  }

  // The keys vk38 --json writes: an outcome and the summary of a table
  // read, the table file in JSON (with a name that is no text), a diff
  // with changes, notices (the panel's table asks the firmware questions)
  // and a refusal, and a scan's panel and summary.
  std::set<std::string> JsonKeysWritten() {
    std::set<std::string> keys;
    const std::string folder = cli_test::FreshFolder("documents");
    cli_test::WriteText(folder + "/bytes.csv", "CAMERA No,CAMERA Name\nC002,\\xFF\n");
    const auto set = RunVk38({"table", "set", "VK1", folder + "/bytes.csv", "--yes"});
    EXPECT_EQ(set.exitCode, 0) << set.out << set.err;
    const auto get = RunVk38({"--json", "table", "get", "VK1", "-o", folder + "/vk1.json"});
    EXPECT_EQ(get.exitCode, 0) << get.err;
    CollectJsonLines(get.out, keys);
    CollectKeys(nlohmann::json::parse(cli_test::ReadText(folder + "/vk1.json")), keys);
    cli_test::WriteText(folder + "/names.csv", "CAMERA No,CAMERA Name\nC001,anchor\n");
    const auto diff = RunVk38({"--json", "table", "diff", "VK1", folder + "/names.csv"});
    CollectJsonLines(diff.out, keys);
    EXPECT_TRUE(keys.contains("changes") && keys.contains("notices")) << diff.out;
    const auto scan = RunVk38({"--json", "scan", "192.168.0.9"});
    EXPECT_EQ(scan.exitCode, 0) << scan.err;
    CollectJsonLines(scan.out, keys);
    return keys;
  }

  platform::SystemNetwork network;
  sim::PanelSimulator simulator{network, {0xC0A80009}};
  const std::unique_ptr<cli::Machine> machine = cli::StartMachine();
};

TEST_F(Documents, GuideAndReadmeNameOnlyWhatVk38Has) {
  cli::Invocation invocation{.machine = *machine};
  CLI::App app;
  cli::DefineVk38(app, invocation);
  const std::set<std::string> keys = JsonKeysWritten();
  std::set<std::string> options;
  CollectOptionNames(app, options);
  std::set<std::string> codes;
  for (int code = static_cast<int>(cli::Code::kOk);
       code <= static_cast<int>(cli::Code::kNotStarted); ++code) {
    codes.insert(std::string(cli::CodeName(static_cast<cli::Code>(code))));
  }

  for (const std::string name : {"README.md", "docs/user-guide.md"}) {
    SCOPED_TRACE(name);
    const Document document = ReadDocument(std::string(SETUPTOOL_SOURCE_DIR) + "/" + name);
    int commandLines = 0;
    // Command lines: in code blocks (after a "$ " prompt or a pipe too) and
    // in code spans.
    std::vector<std::string> shown;
    for (std::string line : document.codeLines) {
      if (line.starts_with("$ ")) line.erase(0, 2);
      for (std::size_t at = line.find("vk38 "); at != std::string::npos;
           at = line.find("vk38 ", at + 1)) {
        if (at == 0 || line.compare(at - 2, 2, "| ") == 0) shown.push_back(line.substr(at));
      }
    }
    for (const std::string& paragraph : document.paragraphs) {
      for (const std::string& span : Spans(paragraph)) {
        if (span.starts_with("vk38 ")) shown.push_back(span);
      }
    }
    for (std::string line : shown) {
      line = line.substr(0, line.find(" #"));
      std::vector<std::string> words = Words(line);
      words.erase(words.begin());
      EXPECT_EQ(Mistake(app, words), "") << line;
      ++commandLines;
    }
    EXPECT_GT(commandLines, 10);

    int codeTables = 0;
    for (const std::string& paragraph : document.paragraphs) {
      const std::vector<std::string> spans = Spans(paragraph);
      // Options named alone are vk38's (panel-sim's are where it is named).
      if (paragraph.find("panel-sim") == std::string::npos) {
        for (const std::string& span : spans) {
          if (span.size() < 2 || span[0] != '-' || span[1] == ' ') continue;
          const std::string word = Words(span)[0];
          const bool known = options.contains(word.substr(0, word.find('=')));
          EXPECT_TRUE(known) << "option " << span << " in: " << paragraph;
        }
      }
      // Where JSON is spoken of, a field named is one vk38 writes.
      if (paragraph.find("JSON") != std::string::npos ||
          paragraph.find("--json") != std::string::npos) {
        for (const std::string& span : spans) {
          if (IsIdentifier(span)) {
            EXPECT_TRUE(keys.contains(span)) << "JSON field " << span;
          }
        }
      }
      // A table of codes holds the program's codes, every one of them.
      if (paragraph.starts_with("| code |")) ++codeTables;
    }
    std::set<std::string> tabled;
    bool inCodeTable = false;
    for (const std::string& paragraph : document.paragraphs) {
      if (!paragraph.starts_with("|")) {
        inCodeTable = false;
      } else if (paragraph.starts_with("| code |")) {
        inCodeTable = true;
      } else if (inCodeTable && !paragraph.starts_with("|---")) {
        const std::vector<std::string> spans = Spans(paragraph);
        ASSERT_FALSE(spans.empty()) << paragraph;
        EXPECT_TRUE(codes.contains(spans[0])) << "code " << spans[0];
        tabled.insert(spans[0]);
      }
    }
    EXPECT_EQ(codeTables, 1);
    EXPECT_EQ(tabled, codes);
  }
}
