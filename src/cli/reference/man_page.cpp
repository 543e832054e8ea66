// vk38.1: the man page, in the man macros of roff, from the help texts.
#include <fmt/format.h>

#include <cctype>

#include "reference/reference_formats.h"

namespace reference {

namespace {

// Text as roff prints it: backslashes and dashes escaped, lines joined.
std::string Roff(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c == '\\') {
      out += "\\e";
    } else if (c == '-') {
      out += "\\-";
    } else if (c == '\n') {
      out += ' ';
    } else {
      out += c;
    }
  }
  const std::size_t start = out.find_first_not_of(' ');
  if (start == std::string::npos) return {};
  out.erase(0, start);
  // A text line that starts with a dot or quote would be read as a request.
  if (out.front() == '.' || out.front() == '\'') out.insert(0, "\\&");
  return out;
}

std::string Bold(const std::string& text) { return "\\fB" + Roff(text) + "\\fR"; }
std::string Italic(const std::string& text) { return "\\fI" + Roff(text) + "\\fR"; }

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// A footer's paragraphs: each starts after a blank line or at a line that
// begins with a heading ("Standard output:", "Exit codes:", "Examples:").
bool StartsWithHeading(const std::string& line) {
  std::size_t colon = line.find(": ");
  if (colon == std::string::npos && line.ends_with(':')) colon = line.size() - 1;
  if (colon == std::string::npos || line.empty() || !std::isupper(line.front())) return false;
  for (std::size_t i = 0; i < colon; ++i) {
    if (!std::isalpha(static_cast<unsigned char>(line[i])) && line[i] != ' ') return false;
  }
  return true;
}

std::vector<std::string> Paragraphs(const std::string& text) {
  std::vector<std::string> paragraphs;
  std::size_t at = 0;
  bool afterBlank = false;
  while (at <= text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(at, end - at);
    at = end + 1;
    if (line.empty()) {
      afterBlank = true;
      continue;
    }
    if (paragraphs.empty() || afterBlank || StartsWithHeading(line)) {
      paragraphs.push_back(line);
    } else {
      paragraphs.back() += "\n" + line;
    }
    afterBlank = false;
  }
  return paragraphs;
}

bool IsExitStatus(const std::string& paragraph) { return paragraph.starts_with("Exit "); }
bool IsExamples(const std::string& paragraph) { return paragraph.starts_with("Examples:"); }

std::string NamesTerm(const std::vector<std::string>& names) {
  std::string term;
  for (const std::string& name : names) term += (term.empty() ? "" : ", ") + Bold(name);
  return term;
}

// "-j, --jobs INT=8", "PANEL...", "--format csv|json"; in the synopsis
// only the first long name.
std::string ArgumentTerm(const ArgumentReference& argument, bool inSynopsis = false) {
  if (!argument.name.empty()) return Italic(argument.name) + (argument.many ? "..." : "");
  const std::vector<std::string> all = argument.Names();
  std::string term = NamesTerm(inSynopsis ? std::vector<std::string>{all.back()} : all);
  if (argument.kind == ValueKind::kChoice) {
    std::string choices;
    for (const std::string& choice : argument.choices) {
      choices += (choices.empty() ? "" : "|") + Italic(choice);
    }
    term += " " + choices;
  } else if (argument.kind != ValueKind::kNone) {
    term += " " + Italic(argument.valueName);
  }
  if (argument.kind != ValueKind::kNone && !argument.defaultValue.empty() && !inSynopsis) {
    term += "=" + Roff(argument.defaultValue);
  }
  return term;
}

void AddArguments(std::string& page, const std::vector<ArgumentReference>& arguments) {
  for (const ArgumentReference& argument : arguments) {
    page += fmt::format(".TP\n{}\n{}\n", ArgumentTerm(argument), Roff(argument.description));
  }
}

// One line of the synopsis: vk38 [OPTIONS] table get [OPTIONS] PANEL...
std::string SynopsisLine(const std::string& program, const CommandReference& command) {
  std::string line = Bold(program) + " [" + Italic("OPTIONS") + "] " + Bold(command.PathText());
  if (!command.options.empty()) line += " [" + Italic("OPTIONS") + "]";
  for (const ArgumentReference& option : command.options) {
    if (option.required) line += " " + ArgumentTerm(option, true);
  }
  for (const ArgumentReference& positional : command.positionals) {
    const std::string term = ArgumentTerm(positional);
    line += " " + (positional.required ? term : "[" + term + "]");
  }
  return line;
}

std::string Name(const CommandReference& program, const ProgramFacts& facts) {
  std::string summary = program.description;
  const std::string prefix = facts.name + ": ";
  if (summary.starts_with(prefix)) summary.erase(0, prefix.size());
  return fmt::format(".SH NAME\n{} \\- {}\n", facts.name, Roff(summary));
}

std::string Synopsis(const CommandReference& program, const ProgramFacts& facts) {
  std::string section = ".SH SYNOPSIS\n";
  bool first = true;
  for (const CommandReference* command : AllCommands(program)) {
    if (command->path.empty() || !command->commands.empty()) continue;
    section += (first ? "" : ".br\n") + SynopsisLine(facts.name, *command) + "\n";
    first = false;
  }
  return section;
}

std::string Description(const CommandReference& program) {
  std::string section = ".SH DESCRIPTION\n" + Roff(program.description) + "\n";
  for (const std::string& paragraph : Paragraphs(program.footer)) {
    if (!IsExitStatus(paragraph) && !IsExamples(paragraph)) {
      section += ".PP\n" + Roff(paragraph) + "\n";
    }
  }
  section += ".SH OPTIONS\n";
  AddArguments(section, program.options);
  return section;
}

std::string Commands(const CommandReference& program, const ProgramFacts& facts) {
  std::string section = ".SH COMMANDS\n";
  for (const CommandReference* command : AllCommands(program)) {
    if (command->path.empty()) continue;
    section += fmt::format(".SS \"{} {}\"\n{}\n", facts.name, Roff(command->PathText()),
                           Roff(command->description));
    for (const std::string& paragraph : Paragraphs(command->footer)) {
      section += ".PP\n" + Roff(paragraph) + "\n";
    }
    AddArguments(section, command->positionals);
    AddArguments(section, command->options);
  }
  return section;
}

std::string PanelNames(const ProgramFacts& facts) {
  std::string section = fmt::format(
      ".SH PANEL NAMES\nA {} may be given by one of these names, in any case, for the address "
      "beside it.\n",
      Italic("PANEL"));
  for (const ProgramFacts::Panel& panel : facts.panels) {
    section += fmt::format(".TP\n{}\n{}\n", Bold(panel.name), Roff(panel.address));
    // After the first, one line each with no space between.
    if (&panel == &facts.panels.front()) section += ".PD 0\n";
  }
  return section + ".PD\n";
}

std::string ExitStatus(const CommandReference& program) {
  std::string section;
  for (const std::string& paragraph : Paragraphs(program.footer)) {
    if (IsExitStatus(paragraph)) section += Roff(paragraph) + "\n";
  }
  return section.empty() ? section : ".SH EXIT STATUS\n" + section;
}

std::string Files(const ProgramFacts& facts) {
  if (facts.files.empty()) return {};
  std::string section = ".SH FILES\n";
  for (const ProgramFacts::File& file : facts.files) {
    section += fmt::format(".TP\n{}\n{}\n", Italic(file.path), Roff(file.description));
  }
  return section;
}

// The footer's "Examples:" lines, one command a line as they are written.
std::string Examples(const CommandReference& program) {
  std::string lines;
  for (const std::string& paragraph : Paragraphs(program.footer)) {
    if (!IsExamples(paragraph)) continue;
    std::size_t at = paragraph.find('\n');
    while (at != std::string::npos) {
      const std::size_t end = paragraph.find('\n', at + 1);
      const std::string line =
          paragraph.substr(at + 1, end == std::string::npos ? end : end - at - 1);
      if (!line.empty()) lines += Roff(line) + "\n";
      at = end;
    }
  }
  return lines.empty() ? lines : ".SH EXAMPLES\n.RS 4\n.nf\n" + lines + ".fi\n.RE\n";
}

std::string SeeAlso(const ProgramFacts& facts) {
  std::string section;
  for (const std::string& page : facts.seeAlso) {
    const std::size_t open = page.find('(');
    section += (section.empty() ? "" : ",\n") +
               fmt::format(".BR {} {}", Roff(page.substr(0, open)), page.substr(open));
  }
  return section.empty() ? section : ".SH SEE ALSO\n" + section + "\n";
}

}  // namespace

std::string ManPage(const CommandReference& program, const ProgramFacts& facts) {
  return fmt::format(
             ".\\\" The man page of {0}, written by {0} --generate man.\n"
             ".TH {1} 1 \"{3}\" \"{0} {2}\" \"User Commands\"\n"
             // Addresses, names and options are copied: left-aligned, never hyphenated.
             ".ad l\n.nh\n",
             facts.name, Upper(facts.name), facts.version, facts.date) +
         Name(program, facts) + Synopsis(program, facts) + Description(program) +
         Commands(program, facts) + PanelNames(facts) + ExitStatus(program) + Files(facts) +
         Examples(program) + SeeAlso(facts);
}

}  // namespace reference
