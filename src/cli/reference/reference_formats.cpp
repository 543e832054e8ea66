#include "reference/reference_formats.h"

#include <array>
#include <utility>

namespace reference {

namespace {

constexpr std::array<std::pair<const char*, ReferenceFormat>, 5> kFormats{{
    {"man", ReferenceFormat::kMan},
    {"bash", ReferenceFormat::kBash},
    {"zsh", ReferenceFormat::kZsh},
    {"fish", ReferenceFormat::kFish},
    {"powershell", ReferenceFormat::kPowerShell},
}};

}  // namespace

std::vector<std::string> ReferenceFormatNames() {
  std::vector<std::string> names;
  for (const auto& [name, format] : kFormats) names.emplace_back(name);
  return names;
}

std::optional<ReferenceFormat> ReferenceFormatNamed(std::string_view name) {
  for (const auto& [known, format] : kFormats) {
    if (name == known) return format;
  }
  return std::nullopt;
}

std::string WriteReference(ReferenceFormat format, const CommandReference& program,
                           const ProgramFacts& facts) {
  switch (format) {
    case ReferenceFormat::kMan:
      return ManPage(program, facts);
    case ReferenceFormat::kBash:
      return BashCompletion(program, facts);
    case ReferenceFormat::kZsh:
      return ZshCompletion(program, facts);
    case ReferenceFormat::kFish:
      return FishCompletion(program, facts);
    case ReferenceFormat::kPowerShell:
      break;
  }
  return PowerShellCompletion(program, facts);
}

}  // namespace reference
