// Which characters the credential fields accept. User names take printable
// ASCII without " & : ; and \; passwords without " and &. Space and every
// character outside ASCII belong to neither set.
#pragma once

#include <cstddef>
#include <string_view>

enum class CredentialCharset { kName, kPassword };

inline constexpr std::size_t kCredentialMaxLength = 32;

bool IsAllowed(CredentialCharset charset, char c);
// The longest start of `text` whose characters are all allowed.
std::string_view LeadingAllowedRun(CredentialCharset charset, std::string_view text);
