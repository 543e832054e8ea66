// How vk38's --help lays out its text: every line within 80 columns. The
// help texts are written as paragraphs (one line each, "\n" between them)
// and wrapped here; a line that starts with two spaces (an example
// command) is kept as it is written.
#pragma once

#include <string>

#include <CLI/CLI.hpp>

namespace cli {

constexpr std::size_t kHelpWidth = 80;

// `text` wrapped to `width` columns, each line after the first of a
// paragraph indented by `indent` spaces (and the first by `firstIndent`).
std::string WrapText(const std::string& text, std::size_t width, std::size_t indent = 0,
                     std::size_t firstIndent = 0);

class HelpFormatter : public CLI::Formatter {
 public:
  HelpFormatter();

  std::string make_description(const CLI::App* app) const override;
  std::string make_footer(const CLI::App* app) const override;
  std::string make_subcommand(const CLI::App* sub) const override;
  std::string make_option(const CLI::Option* option, bool isPositional) const override;

 private:
  // A left column (an option's names, a command's name) and its text.
  std::string Entry(const std::string& name, const std::string& description) const;
};

}  // namespace cli
