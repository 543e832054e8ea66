#include "pages/user_auth/field_filter.h"

bool IsAllowed(CredentialCharset charset, char c) {
  const auto byte = static_cast<unsigned char>(c);
  if (byte < 0x21 || byte > 0x7E) return false;
  if (c == '"' || c == '&') return false;
  if (charset == CredentialCharset::kName && (c == ':' || c == ';' || c == '\\')) return false;
  return true;
}

std::string_view LeadingAllowedRun(CredentialCharset charset, std::string_view text) {
  std::size_t length = 0;
  while (length < text.size() && IsAllowed(charset, text[length])) ++length;
  return text.substr(0, length);
}
