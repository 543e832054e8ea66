// The PowerShell completion: a native argument completer holding the
// commands' words (completion_words.h) as tables, which finds the command
// and the place of the word being completed as the bash completion does.
// Where it offers nothing (a file), PowerShell completes paths itself.
#include <fmt/format.h>

#include "reference/completion_words.h"
#include "reference/reference_formats.h"

namespace reference {

namespace {

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("''") : std::string(1, c);
  return quoted + "'";
}

// @('a', 'b'): a list of strings (never nested, which PowerShell would flatten).
std::string List(const std::vector<std::string>& items) {
  std::string list;
  for (const std::string& item : items) list += (list.empty() ? "" : ", ") + Quoted(item);
  return "@(" + list + ")";
}

std::string Table(const std::vector<CommandWords>& all,
                  std::vector<std::string> (*items)(const CommandWords&)) {
  std::string table = "@{";
  for (const CommandWords& command : all) {
    table += fmt::format("\n        {} = {}", Quoted(command.path), List(items(command)));
  }
  return table + "\n    }";
}

std::vector<std::string> Commands(const CommandWords& command) { return command.commands; }

// "--output file": the name, then its value.
std::vector<std::string> Options(const CommandWords& command) {
  std::vector<std::string> options;
  for (const OptionWords& option : command.options)
    options.push_back(option.name + " " + option.value);
  return options;
}

std::vector<std::string> Places(const CommandWords& command) { return command.places; }

constexpr const char* kCompleter =
    R"script(# PowerShell completion for {0}, written by {0} --generate powershell.
# Load it from the profile: . path/to/{0}.ps1
Register-ArgumentCompleter -Native -CommandName '{0}', '{0}.exe' -ScriptBlock {{
    param($wordToComplete, $commandAst, $cursorPosition)
    $commands = {1}
    $options = {2}
    $places = {3}
    $panels = {4}

    # What the value of option $name of command $path is (none: a flag).
    function ValueOf($path, $name) {{
        foreach ($entry in $options[$path]) {{
            $parts = $entry -split ' ', 2
            if ($parts[0] -ceq $name) {{ return $parts[1] }}
        }}
        return 'none'
    }}

    # The command named so far and the place of the word being completed.
    $words = @($commandAst.CommandElements | Select-Object -Skip 1 |
        Where-Object {{ $_.Extent.EndOffset -lt $cursorPosition }} |
        ForEach-Object {{ $_.Extent.Text }})
    $path = ''
    $place = 0
    $value = $null
    foreach ($word in $words) {{
        if ($null -ne $value) {{ $value = $null; continue }}
        if ($word -eq '-') {{ $place++; continue }}
        if ($word.StartsWith('-')) {{
            $item = ValueOf $path $word
            if ($item -ne 'none') {{ $value = $item }}
            continue
        }}
        if ($place -eq 0 -and $commands[$path] -ccontains $word) {{
            $path = ($path + ' ' + $word).Trim()
            continue
        }}
        $place++
    }}

    $offered = @()
    $item = 'none'
    if ($null -ne $value) {{
        $item = $value
    }} elseif ($wordToComplete.StartsWith('-')) {{
        $offered = @($options[$path] | ForEach-Object {{ ($_ -split ' ', 2)[0] }})
    }} elseif ($place -eq 0 -and $commands[$path].Count -gt 0) {{
        $offered = $commands[$path]
    }} elseif ($places[$path].Count -gt 0) {{
        $item = $places[$path][[Math]::Min($place, $places[$path].Count - 1)]
    }}
    foreach ($kind in $item -split ';') {{
        $kindWords = @($kind -split ' ')
        switch ($kindWords[0]) {{
            'panel' {{ if (-not $wordToComplete.StartsWith('@')) {{ $offered += $panels }} }}
            'words' {{ $offered += $kindWords[1..($kindWords.Count - 1)] }}
        }}
    }}
    $offered | Where-Object {{ $_ -clike "$wordToComplete*" }} | ForEach-Object {{
        [System.Management.Automation.CompletionResult]::new($_, $_, 'ParameterValue', $_)
    }}
}}
)script";

}  // namespace

std::string PowerShellCompletion(const CommandReference& program, const ProgramFacts& facts) {
  const std::vector<CommandWords> all = CompletionWords(program);
  std::vector<std::string> panels;
  for (const ProgramFacts::Panel& panel : facts.panels) panels.push_back(panel.name);
  return fmt::format(fmt::runtime(kCompleter), facts.name, Table(all, Commands),
                     Table(all, Options), Table(all, Places), List(panels));
}

}  // namespace reference
