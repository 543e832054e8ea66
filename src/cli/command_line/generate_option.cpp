#include "command_line/generate_option.h"

#include <fmt/format.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "panels/panel_names.h"
#include "reference/reference_formats.h"
#include "run/exit_codes.h"
#include "setuptool_version.h"

namespace cli {

namespace {

using reference::ProgramFacts;

ProgramFacts Facts(const CLI::App& app) {
  ProgramFacts facts{.name = app.get_name(),
                     .version = SETUPTOOL_VERSION_TEXT,
                     .date = SETUPTOOL_RELEASE_DATE_TEXT};
  for (const NamedPanel& panel : NamedPanels()) {
    facts.panels.push_back({panel.name, protocol::AddressText(panel.address)});
  }
  // Where the Debian package puts them (packaging/deb.cmake).
  facts.files = {
      {"NAME.XXXXXXXX.part",
       "a table, setup block or log being written beside its final NAME (8 hex digits); it "
       "takes the name once whole and is removed when the write fails or the run is stopped"},
      {"/usr/share/bash-completion/completions/vk38", "the bash completion"},
      {"/usr/share/zsh/vendor-completions/_vk38", "the zsh completion"},
      {"/usr/share/fish/vendor_completions.d/vk38.fish", "the fish completion"},
      {"/usr/share/vk38/vk38_completion.ps1",
       "the PowerShell completer, for a profile to load (on Windows, beside vk38.exe)"},
      {"/usr/share/doc/vk38/README.md.gz", "vk38's reference: its commands and files in full"},
  };
  facts.seeAlso = {"panel-sim(1)"};
  return facts;
}

// The whole text on standard output, or the reason it could not go there.
bool Print(const std::string& text) {
  const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
  if (std::fflush(stdout) == 0 && written) return true;
  fmt::print(stderr, "vk38: standard output could not be written: {}\n", std::strerror(errno));
  return false;
}

}  // namespace

void AddGenerateOption(CLI::App& app) {
  app.add_option_function<std::string>(
         "--generate",
         [&app](const std::string& name) {
           const std::string text = reference::WriteReference(
               *reference::ReferenceFormatNamed(name), reference::DescribeCommand(app), Facts(app));
           // Ends the parse as --help does: nothing else runs.
           if (!Print(text)) throw CLI::RuntimeError(kExitPanelFailed);
           throw CLI::Success();
         },
         "print the man page or a shell's completion script")
      ->check(CLI::IsMember(reference::ReferenceFormatNames()))
      ->trigger_on_parse()
      ->group("");
}

}  // namespace cli
