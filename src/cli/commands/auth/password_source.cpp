#include "commands/auth/password_source.h"

#include <cstdint>
#include <memory>
#include <string_view>

#include <fmt/format.h>

namespace cli {

namespace {

constexpr std::array<const char*, 3> kPrompts = {
    "Old Password: ", "New Password: ", "Retype New Password: "};

// No password line is longer; more is no password file.
constexpr std::size_t kLongestSource = 4096;

// Permission bits of the group and of others: a password file with any of
// them set could be read (or changed) by someone else.
constexpr std::uint32_t kOthersBits = 077;

std::variant<Passwords, std::string> FromTerminal(Machine& machine) {
  Passwords passwords;
  for (std::size_t i = 0; i < passwords.size(); ++i) {
    std::optional<std::string> typed = machine.ReadTerminalLine(kPrompts[i], Echo::kHidden);
    if (!typed) {
      if (machine.Stop().Triggered()) return std::string();
      return std::string("Three passwords are needed: at a terminal, or with --password-stdin.");
    }
    passwords[i] = std::move(*typed);
  }
  return passwords;
}

// The first three lines of `file` (a line break of either system), read no
// further than the third line's end.
std::variant<Passwords, std::string> FromLines(platform::ReadableFile& file,
                                               std::string_view name) {
  Passwords passwords;
  std::size_t line = 0;
  std::size_t read = 0;
  std::uint8_t c = 0;
  while (line < passwords.size()) {
    const std::ptrdiff_t got = file.Read(&c, 1);
    if (got < 0) return fmt::format("{} could not be read.", name);
    if (got == 0) break;
    if (++read > kLongestSource) return fmt::format("{} is too long for three passwords.", name);
    if (c == '\n') {
      if (!passwords[line].empty() && passwords[line].back() == '\r') passwords[line].pop_back();
      ++line;
    } else {
      passwords[line] += static_cast<char>(c);
    }
  }
  // A last line without its line break counts.
  if (line == passwords.size() - 1 && !passwords[line].empty()) ++line;
  if (line < passwords.size()) {
    return fmt::format("Three passwords are needed: {} holds {} line{}.", name, line,
                       line == 1 ? "" : "s");
  }
  return passwords;
}

std::variant<Passwords, std::string> FromFile(platform::FileSystem& files,
                                              const std::string& path) {
  const platform::PathFacts facts = files.Inspect(path);
  if (facts.kind == platform::PathKind::kFile && facts.permissions &&
      (*facts.permissions & kOthersBits) != 0) {
    return fmt::format(
        "The password file {} may be read by others than its owner (mode {:04o}); allow only "
        "its owner (chmod 600).",
        path, *facts.permissions & 07777);
  }
  const std::unique_ptr<platform::ReadableFile> file = files.OpenForReading(path);
  if (!file)
    return fmt::format("The password file {} cannot be opened: {}.", path, files.LastFailure());
  return FromLines(*file, "the password file " + path);
}

std::variant<Passwords, std::string> FromDescriptor(platform::Console& console, int descriptor,
                                                    std::string_view name) {
  const std::unique_ptr<platform::ReadableFile> file = console.Descriptor(descriptor);
  if (!file) return fmt::format("{} cannot be read: {}.", name, console.LastFailure());
  return FromLines(*file, name);
}

}  // namespace

std::variant<Passwords, std::string> ReadPasswords(Machine& machine, const PasswordSource& source) {
  if (!source.file.empty()) return FromFile(machine.Files(), source.file);
  if (source.descriptor >= 0) {
    return FromDescriptor(machine.Console(), source.descriptor,
                          fmt::format("descriptor {}", source.descriptor));
  }
  if (source.standardInput) return FromDescriptor(machine.Console(), 0, "standard input");
  return FromTerminal(machine);
}

}  // namespace cli
