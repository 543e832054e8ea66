// The rules of a credential change, shared by the User Auth. page and vk38.
// Which characters the credential fields accept. User names take printable
// ASCII without " & : ; and \; passwords without " and &. Space and every
// character outside ASCII belong to neither set.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace rules {

enum class CredentialCharset { kName, kPassword };

inline constexpr std::size_t kCredentialMaxLength = 32;

bool IsAllowed(CredentialCharset charset, char c);
// The longest start of `text` whose characters are all allowed.
std::string_view LeadingAllowedRun(CredentialCharset charset, std::string_view text);

// What the field filter makes of a field that breaks its rules as typed:
// the text the field keeps and the message that says why.
struct FieldCorrection {
  std::string kept;
  std::string_view refusal;
};
// The first correction `text` needs: a character outside the set cuts the
// field before it; then a field longer than kCredentialMaxLength is cut to
// that length. Nothing when the field is as the filter keeps it.
std::optional<FieldCorrection> CorrectField(CredentialCharset charset, std::string_view text);

// What an operator enters to change the panel's pair.
struct CredentialChange {
  std::string oldUser;
  std::string newUser;
  std::string oldPassword;
  std::string newPassword;
  std::string retyped;
};

// The first rule the change breaks, in the page's words, or nothing. The
// old pair must be the factory pair or the one the panel last reported.
std::optional<std::string> BrokenCredentialRule(const CredentialChange& change,
                                                const std::string& panelUser,
                                                const std::string& panelPassword);
// The rules of the fields themselves (their lengths, the retyped password),
// which need nothing from the panel: the first that the change breaks.
std::optional<std::string> BrokenFieldRule(const CredentialChange& change);

}  // namespace rules
