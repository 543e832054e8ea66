// Words as the bash and zsh completions write them into their scripts.
#pragma once

#include <string>

namespace reference {

// `text` in single quotes, each quote in it written '\'' so that any text
// reads back as itself.
std::string ShellQuoted(const std::string& text);

}  // namespace reference
