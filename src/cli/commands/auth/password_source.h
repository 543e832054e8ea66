// Where auth set takes its three passwords (old, new, new again) from: a
// prompt without echo, or for scripts three lines of standard input, of a
// file only its owner may use, or of a descriptor the script hands over.
#pragma once

#include <array>
#include <string>
#include <variant>

#include "io/machine.h"

namespace cli {

struct PasswordSource {
  bool standardInput = false;  // --password-stdin
  std::string file{};          // --password-file
  int descriptor = -1;         // --password-fd
};

using Passwords = std::array<std::string, 3>;

// The three passwords, or why they cannot be had (empty when the program
// was asked to end at the prompt).
std::variant<Passwords, std::string> ReadPasswords(Machine& machine, const PasswordSource& source);

}  // namespace cli
