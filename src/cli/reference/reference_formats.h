// The man page and the shell completions of vk38, written from its command
// line (command_reference.h). `vk38 --generate FORMAT` prints them; the
// build runs it to make the files the package installs.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reference/command_reference.h"

namespace reference {

enum class ReferenceFormat { kMan, kBash, kZsh, kFish, kPowerShell };

// "man", "bash", "zsh", "fish", "powershell": the names --generate takes.
std::vector<std::string> ReferenceFormatNames();
std::optional<ReferenceFormat> ReferenceFormatNamed(std::string_view name);

// What the files say beyond the command line itself.
struct ProgramFacts {
  std::string name{};     // "vk38"
  std::string version{};  // "1.1.0.1"
  std::string date{};     // of the release, "2026-12-10"
  struct Panel {
    std::string name{};     // "VK1"
    std::string address{};  // "192.168.0.9"
  };
  std::vector<Panel> panels{};
  // The files the program reads or leaves, as installed, for the man page.
  struct File {
    std::string path{};
    std::string description{};
  };
  std::vector<File> files{};
  std::vector<std::string> seeAlso{};  // "panel-sim(1)"
};

std::string ManPage(const CommandReference& program, const ProgramFacts& facts);
std::string BashCompletion(const CommandReference& program, const ProgramFacts& facts);
std::string ZshCompletion(const CommandReference& program, const ProgramFacts& facts);
std::string FishCompletion(const CommandReference& program, const ProgramFacts& facts);
std::string PowerShellCompletion(const CommandReference& program, const ProgramFacts& facts);

std::string WriteReference(ReferenceFormat format, const CommandReference& program,
                           const ProgramFacts& facts);

}  // namespace reference
