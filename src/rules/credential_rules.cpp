#include "rules/credential_rules.h"

#include "protocol/credential_record.h"

namespace rules {

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

std::optional<FieldCorrection> CorrectField(CredentialCharset charset, std::string_view text) {
  const std::string_view run = LeadingAllowedRun(charset, text);
  if (run.size() < text.size()) {
    return FieldCorrection{std::string(run), "Enterd information is incorrect. Enter again."};
  }
  if (text.size() > kCredentialMaxLength) {
    return FieldCorrection{std::string(text.substr(0, kCredentialMaxLength)), "String too long."};
  }
  return std::nullopt;
}

namespace {

constexpr std::size_t kMinPasswordLength = 4;

bool LengthWithin(const std::string& text, std::size_t min) {
  return text.size() >= min && text.size() <= kCredentialMaxLength;
}

}  // namespace

std::optional<std::string> BrokenFieldRule(const CredentialChange& change) {
  if (!LengthWithin(change.oldUser, 1)) return "Complete the \"Old User Name\" field.";
  if (!LengthWithin(change.newUser, 1)) return "Complete the \"New User Name\" field.";
  if (!LengthWithin(change.oldPassword, kMinPasswordLength)) {
    return "Complete the \"Old Password\" field.";
  }
  if (!LengthWithin(change.newPassword, kMinPasswordLength)) {
    return "Complete the \"New Password\" field.";
  }
  if (!LengthWithin(change.retyped, kMinPasswordLength)) {
    return "Complete the \"Retype New Password\" field.";
  }
  if (change.newPassword != change.retyped) {
    return "Password enterd in the \"Retype New Password\" field is incorrect.";
  }
  return std::nullopt;
}

std::optional<std::string> BrokenCredentialRule(const CredentialChange& change,
                                                const std::string& panelUser,
                                                const std::string& panelPassword) {
  if (std::optional<std::string> broken = BrokenFieldRule(change)) return broken;
  const bool knownOldPair = (change.oldUser == protocol::kFactoryUserName &&
                             change.oldPassword == protocol::kFactoryPassword) ||
                            (change.oldUser == panelUser && change.oldPassword == panelPassword);
  if (!knownOldPair) return "Old User Name or Old Password  is incorrect.";
  return std::nullopt;
}

}  // namespace rules
