// auth set: the User Auth. page's SET for each panel given. The passwords
// come from a prompt without echo (asked once for all panels), or from
// standard input for scripts; they never appear in the arguments or in any
// output. With --verify the pair is read back after the panel's WRITE OK.
#include <fmt/format.h>

#include <array>
#include <initializer_list>

#include "command_line/panel_work.h"
#include "commands/auth/password_source.h"
#include "commands/commands.h"
#include "rules/credential_rules.h"
#include "run/panel_operations.h"
#include "run/run_on_panels.h"
#include "run/write_verification.h"

namespace cli {

namespace {

struct AuthSetOptions {
  std::string oldUser{};
  std::string newUser{};
  PasswordSource passwords{};
  bool verify = false;
};

using Field = std::pair<const std::string*, rules::CredentialCharset>;

// What the page's field filter would refuse as it is typed, in its words.
std::optional<std::string> RefusedCharacters(std::initializer_list<Field> fields) {
  for (const auto& [text, charset] : fields) {
    if (const std::optional<rules::FieldCorrection> corrected =
            rules::CorrectField(charset, *text)) {
      return std::string(corrected->refusal);
    }
  }
  return std::nullopt;
}

// Every rule of the fields that needs nothing from the panel: the
// characters of all five, then their lengths and the retyped password.
std::optional<std::string> FieldRefusal(const rules::CredentialChange& change) {
  if (auto refused = RefusedCharacters({{&change.oldUser, rules::CredentialCharset::kName},
                                        {&change.newUser, rules::CredentialCharset::kName},
                                        {&change.oldPassword, rules::CredentialCharset::kPassword},
                                        {&change.newPassword, rules::CredentialCharset::kPassword},
                                        {&change.retyped, rules::CredentialCharset::kPassword}})) {
    return refused;
  }
  return rules::BrokenFieldRule(change);
}

int Refuse(const std::string& why) {
  fmt::print(stderr, "vk38: {} Nothing was sent.\n", why);
  return kExitFileRefused;
}

PanelOutcome ChangeCredentials(PanelTarget& target, const rules::CredentialChange& change,
                               bool verify) {
  protocol::CredentialRecord record;
  PanelOutcome read = ReadCredentials(target.link, record);
  if (!read.Ok()) return read;
  const std::string panelUser = record.UserName().value_or("");
  const std::string panelPassword = record.Password().value_or("");
  if (const std::optional<std::string> broken =
          rules::BrokenCredentialRule(change, panelUser, panelPassword)) {
    return Failure(Code::kRefused, *broken, "");
  }
  record.SetUserName(change.newUser);
  record.SetPassword(change.newPassword);
  record.UpdateChecksum();
  PanelOutcome written = WriteCredentials(target.link, record);
  if (!written.Ok() || !verify) return written;
  return VerifyCredentials(target.link, record, std::move(written));
}

int AuthSet(const RunContext& context, const std::vector<Panel>& panels,
            const AuthSetOptions& args) {
  // The user names are judged before any password is asked for.
  if (auto refused = RefusedCharacters({{&args.oldUser, rules::CredentialCharset::kName},
                                        {&args.newUser, rules::CredentialCharset::kName}})) {
    return Refuse(*refused);
  }
  const std::variant<Passwords, std::string> read = ReadPasswords(context.machine, args.passwords);
  if (const std::string* why = std::get_if<std::string>(&read)) {
    if (context.Stopped()) return kExitStopped;
    return Refuse(*why);
  }
  const Passwords& passwords = std::get<Passwords>(read);
  const rules::CredentialChange change{.oldUser = args.oldUser,
                                       .newUser = args.newUser,
                                       .oldPassword = passwords[0],
                                       .newPassword = passwords[1],
                                       .retyped = passwords[2]};
  // Only the old pair needs the panel's record.
  if (const std::optional<std::string> refused = FieldRefusal(change)) return Refuse(*refused);
  return RunOnPanels(
      context, panels,
      [&](PanelTarget& target) { return ChangeCredentials(target, change, args.verify); },
      {.changesPanels = true});
}

}  // namespace

void AddAuthSet(CLI::App& auth, Invocation& invocation) {
  const auto options = std::make_shared<AuthSetOptions>();
  CLI::App* set = auth.add_subcommand(
      "set",
      "Change each PANEL's user name and password (the User Auth. page's SET). The passwords "
      "are asked for once, at the terminal without echo: old, new, and new again; each panel "
      "checks the old pair against its own record.");
  AddPanelWork(*set, invocation,
               [options](const RunContext& context, const std::vector<Panel>& panels) {
                 return AuthSet(context, panels, *options);
               });
  set->add_option("--old-user", options->oldUser,
                  "the user name the panel holds (or the factory one)")
      ->required();
  set->add_option("--new-user", options->newUser, "the new user name")->required();
  CLI::Option* fromStdin =
      set->add_flag("--password-stdin", options->passwords.standardInput,
                    "read the three passwords as lines from standard input instead, for scripts");
  CLI::Option* fromFile = set->add_option(
      "--password-file", options->passwords.file,
      "read the three passwords as the first three lines of FILE instead (on POSIX refused "
      "unless only its owner may read it: chmod 600)");
  CLI::Option* fromDescriptor = set->add_option(
      "--password-fd", options->passwords.descriptor,
      "read the three passwords as the first three lines of the open descriptor N instead "
      "(a script's pipe, 3<<EOF)");
  fromDescriptor->check(CLI::NonNegativeNumber)->type_name("N");
  fromFile->type_name("FILE");
  fromStdin->excludes(fromFile)->excludes(fromDescriptor);
  fromFile->excludes(fromDescriptor);
  set->add_flag("--verify", options->verify,
                "after the panel's WRITE OK, read its pair back and compare; a difference fails "
                "the panel as not-verified, naming the user name or password (never its value)");
  set->footer(
      "The page's rules for the fields (characters, lengths, the retyped password) are checked "
      "before the panel is asked (exit 2); the old pair against the panel's record. Passwords "
      "never appear in any output. Standard output: the outcome line and the summary.");
}

}  // namespace cli
