// The bash completion: tables of the commands' words (completion_words.h)
// as shell functions, and one function that finds the command and the
// place of the word being completed and offers what fits there.
#include <fmt/format.h>

#include "reference/completion_words.h"
#include "reference/reference_formats.h"
#include "reference/shell_quote.h"

namespace reference {

namespace {

std::string Lines(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& word : words) text += " " + ShellQuoted(word);
  return text;
}

std::string CommandsFunction(const std::string& prefix, const std::vector<CommandWords>& all) {
  std::string cases;
  for (const CommandWords& command : all) {
    if (command.commands.empty()) continue;
    cases += fmt::format("    {}) printf '%s\\n'{} ;;\n", ShellQuoted(command.path),
                         Lines(command.commands));
  }
  return fmt::format(
      "# The subcommands of command $1 (\"\" for {0} itself), one a line.\n"
      "{1}_commands() {{\n  case \"$1\" in\n{2}  esac\n}}\n\n",
      prefix.substr(1), prefix, cases);
}

std::string OptionsFunction(const std::string& prefix, const std::vector<CommandWords>& all) {
  std::string names, values;
  for (const CommandWords& command : all) {
    std::vector<std::string> optionNames;
    for (const OptionWords& option : command.options) {
      optionNames.push_back(option.name);
      values += fmt::format("    {}) echo {} ;;\n", ShellQuoted(command.path + " " + option.name),
                            ShellQuoted(option.value));
    }
    names +=
        fmt::format("    {}) printf '%s\\n'{} ;;\n", ShellQuoted(command.path), Lines(optionNames));
  }
  return fmt::format(
      "# The options command $1 takes, its parents' included, one a line.\n"
      "{0}_options() {{\n  case \"$1\" in\n{1}  esac\n}}\n\n"
      "# What the value of option $2 of command $1 is: none (a flag), number, file, panel or\n"
      "# words followed by the words; kinds separated by ';'.\n"
      "{0}_value() {{\n  case \"$1 $2\" in\n{2}    *) echo none ;;\n  esac\n}}\n\n",
      prefix, names, values);
}

std::string PositionalFunction(const std::string& prefix, const std::vector<CommandWords>& all) {
  std::string cases;
  for (const CommandWords& command : all) {
    std::string places;
    for (std::size_t i = 0; i < command.places.size(); ++i) {
      const bool last = i + 1 == command.places.size();
      places += fmt::format(" {}) echo {} ;;", last ? std::string("*") : std::to_string(i),
                            ShellQuoted(command.places[i]));
    }
    cases += fmt::format("    {}) case \"$2\" in{} esac ;;\n", ShellQuoted(command.path), places);
  }
  return fmt::format(
      "# What the positional word at place $2 (0 for the first) of command $1 may be.\n"
      "{0}_positional() {{\n  case \"$1\" in\n{1}    *) echo none ;;\n  esac\n}}\n\n",
      prefix, cases);
}

// The part that reads the tables; the same for every program.
constexpr const char* kCompleter =
    R"script(# Adds to COMPREPLY what value $2 offers for the word $1; $3 is set when the
# word follows an "@" (a file that lists panels), which bash makes a word of
# its own.
{0}_offer() {{
  local cur="$1" at="$3" kind words
  local -a kinds
  IFS=';' read -ra kinds <<<"$2"
  for kind in "${{kinds[@]}}"; do
    read -ra words <<<"$kind"
    case "${{words[0]}}" in
      panel)
        if [[ -n $at ]]; then
          compopt -o filenames 2>/dev/null
          mapfile -t -O "${{#COMPREPLY[@]}}" COMPREPLY < <(compgen -f -- "$cur")
        elif [[ $cur == @* ]]; then
          # Where "@" is no word break: the names keep it, so readline cannot
          # tell a folder; a folder gets its "/" here and no space after it.
          local file
          while IFS= read -r file; do
            [[ -d $file ]] && file+=/
            COMPREPLY+=("@$file")
          done < <(compgen -f -- "${{cur#@}}")
          [[ ${{#COMPREPLY[@]}} -eq 1 && ${{COMPREPLY[0]}} == */ ]] && compopt -o nospace 2>/dev/null
        else
          mapfile -t -O "${{#COMPREPLY[@]}}" COMPREPLY < <(compgen -W "{1}" -- "$cur")
        fi ;;
      file)
        compopt -o filenames 2>/dev/null
        mapfile -t -O "${{#COMPREPLY[@]}}" COMPREPLY < <(compgen -f -- "$cur") ;;
      words)
        mapfile -t -O "${{#COMPREPLY[@]}}" COMPREPLY < <(compgen -W "${{words[*]:1}}" -- "$cur") ;;
    esac
  done
}}

{0}() {{
  local cur="${{COMP_WORDS[COMP_CWORD]}}" path="" word value="" place=0 i at=""
  # value: the option whose value the next word is (bash makes a word of
  # the "=" in --option=value; it goes between them).
  local nl=$'\n'
  COMPREPLY=()
  [[ ${{COMP_WORDS[COMP_CWORD - 1]}} == @ ]] && at=1
  # The command named so far and the place of the word being completed.
  for ((i = 1; i < COMP_CWORD; i++)); do
    word="${{COMP_WORDS[i]}}"
    if [[ -n $value ]]; then
      [[ $word == = ]] || value=""
      continue
    fi
    case "$word" in
      @) ;;
      -) place=$((place + 1)) ;;
      -*) [[ $({0}_value "$path" "$word") != none ]] && value="$word" ;;
      *)
        if ((place == 0)) && [[ $nl$({0}_commands "$path")$nl == *"$nl$word$nl"* ]]; then
          path="${{path:+$path }}$word"
        else
          place=$((place + 1))
        fi ;;
    esac
  done
  if [[ -n $value ]]; then
    {0}_offer "$cur" "$({0}_value "$path" "$value")"
  elif [[ $cur == -* ]]; then
    mapfile -t COMPREPLY < <(compgen -W "$({0}_options "$path")" -- "$cur")
  elif ((place == 0)) && [[ -n $({0}_commands "$path") ]]; then
    mapfile -t COMPREPLY < <(compgen -W "$({0}_commands "$path")" -- "$cur")
  else
    {0}_offer "$cur" "$({0}_positional "$path" "$place")" "$at"
  fi
  return 0
}}

complete -F {0} {2}
)script";

}  // namespace

std::string BashCompletion(const CommandReference& program, const ProgramFacts& facts) {
  const std::string prefix = "_" + facts.name;
  const std::vector<CommandWords> all = CompletionWords(program);
  std::string panels;
  for (const ProgramFacts::Panel& panel : facts.panels) {
    panels += (panels.empty() ? "" : " ") + panel.name;
  }
  return fmt::format("# bash completion for {0}, written by {0} --generate bash.\n\n", facts.name) +
         CommandsFunction(prefix, all) + OptionsFunction(prefix, all) +
         PositionalFunction(prefix, all) +
         fmt::format(fmt::runtime(kCompleter), prefix, panels, facts.name);
}

}  // namespace reference
