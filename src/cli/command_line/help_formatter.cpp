#include "command_line/help_formatter.h"

#include <fmt/format.h>

#include <sstream>

namespace cli {

namespace {

// Where the option and command descriptions start.
constexpr std::size_t kNameColumn = 24;

std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words;
  std::istringstream in(text);
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

std::string WrapParagraph(const std::string& paragraph, std::size_t width, std::size_t indent,
                          std::size_t firstIndent) {
  std::string out(firstIndent, ' ');
  std::size_t column = firstIndent;
  bool lineEmpty = true;
  for (const std::string& word : Words(paragraph)) {
    if (!lineEmpty && column + 1 + word.size() > width) {
      out += "\n" + std::string(indent, ' ');
      column = indent;
      lineEmpty = true;
    }
    if (!lineEmpty) {
      out += ' ';
      ++column;
    }
    out += word;
    column += word.size();
    lineEmpty = false;
  }
  return out;
}

}  // namespace

std::string WrapText(const std::string& text, std::size_t width, std::size_t indent,
                     std::size_t firstIndent) {
  std::string out;
  std::size_t at = 0;
  bool first = true;
  while (at <= text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(at, end - at);
    if (!first) out += '\n';
    const std::size_t lead = first ? firstIndent : indent;
    if (line.starts_with("  ") || line.empty()) {
      out += line.empty() ? line : std::string(lead, ' ') + line;
    } else {
      out += WrapParagraph(line, width, indent, lead);
    }
    first = false;
    at = end + 1;
  }
  return out;
}

HelpFormatter::HelpFormatter() { column_width(kNameColumn); }

std::string HelpFormatter::make_description(const CLI::App* app) const {
  const std::string description = CLI::Formatter::make_description(app);
  if (description.empty()) return description;
  return WrapText(description.substr(0, description.find_last_not_of('\n') + 1), kHelpWidth) +
         "\n\n";
}

std::string HelpFormatter::make_footer(const CLI::App* app) const {
  const std::string& footer = app->get_footer();
  if (footer.empty()) return footer;
  // A command without a footer of its own took its parent's: the program's
  // paragraphs are told once, in its own help.
  const CLI::App* parent = app->get_parent();
  if (parent != nullptr && footer == parent->get_footer()) {
    return WrapText(fmt::format("PANEL, the outcome lines, the codes and the exit codes: see {} "
                                "--help.",
                                parent->get_name()),
                    kHelpWidth) +
           "\n";
  }
  return WrapText(footer, kHelpWidth) + "\n";
}

std::string HelpFormatter::make_subcommand(const CLI::App* sub) const {
  return Entry(sub->get_display_name(true), sub->get_description());
}

std::string HelpFormatter::make_option(const CLI::Option* option, bool isPositional) const {
  return Entry(make_option_name(option, isPositional) + make_option_opts(option),
               make_option_desc(option));
}

std::string HelpFormatter::Entry(const std::string& name, const std::string& description) const {
  const std::string left = "  " + name;
  if (description.empty()) return left + "\n";
  // A name too long for its column puts the text on the next line.
  const bool apart = left.size() + 1 > kNameColumn;
  const std::string text = WrapText(description, kHelpWidth, kNameColumn, kNameColumn);
  return apart ? left + "\n" + text + "\n" : left + text.substr(left.size()) + "\n";
}

}  // namespace cli
