// auth set: the User Auth. page's SET for one panel. The passwords come from
// a prompt without echo, or from standard input for scripts; they never
// appear in the arguments or in any output.
#include <fmt/format.h>

#include <array>
#include <iostream>

#include "cli/panel_calls.h"
#include "cli/subcommands.h"
#include "rules/credential_rules.h"

namespace cli {

namespace {

struct AuthSetOptions {
  std::string panelText{};
  PanelAddress panel = 0;
  std::string oldUser{};
  std::string newUser{};
  bool passwordStdin = false;  // three lines: old, new, new again
};

// The three passwords: old, new and new again.
std::optional<std::array<std::string, 3>> ReadPasswords(Machine& machine, bool fromStdin) {
  constexpr std::array<const char*, 3> kPrompts = {
      "Old Password: ", "New Password: ", "Retype New Password: "};
  std::array<std::string, 3> passwords;
  for (std::size_t i = 0; i < passwords.size(); ++i) {
    if (fromStdin) {
      if (!std::getline(std::cin, passwords[i])) return std::nullopt;
      if (!passwords[i].empty() && passwords[i].back() == '\r') passwords[i].pop_back();
    } else {
      std::optional<std::string> typed = machine.ReadTerminalLine(kPrompts[i], Echo::kHidden);
      if (!typed) return std::nullopt;
      passwords[i] = std::move(*typed);
    }
  }
  return passwords;
}

// What the page's field filter would refuse as it is typed.
std::optional<std::string> RefusedCharacters(const CredentialChange& change) {
  const std::array<std::pair<const std::string*, CredentialCharset>, 5> fields = {{
      {&change.oldUser, CredentialCharset::kName},
      {&change.newUser, CredentialCharset::kName},
      {&change.oldPassword, CredentialCharset::kPassword},
      {&change.newPassword, CredentialCharset::kPassword},
      {&change.retyped, CredentialCharset::kPassword},
  }};
  for (const auto& [text, charset] : fields) {
    if (LeadingAllowedRun(charset, *text).size() < text->size()) {
      return "Enterd information is incorrect. Enter again.";
    }
    if (text->size() > kCredentialMaxLength) return "String too long.";
  }
  return std::nullopt;
}

PanelOutcome ChangeCredentials(const RunContext& context, PanelAddress panel,
                               const CredentialChange& change) {
  PanelTarget target(context, panel);
  CredentialRecord record;
  PanelOutcome read = ReadCredentials(target.link, record);
  if (!read.Ok()) return read;
  const std::string panelUser = record.UserName().value_or("");
  const std::string panelPassword = record.Password().value_or("");
  if (const std::optional<std::string> broken =
          BrokenCredentialRule(change, panelUser, panelPassword)) {
    return Failure(Code::kRefused, *broken, "");
  }
  record.SetUserName(change.newUser);
  record.SetPassword(change.newPassword);
  record.UpdateChecksum();
  return WriteCredentials(target.link, record);
}

int AuthSet(const RunContext& context, const AuthSetOptions& args) {
  const std::optional<std::array<std::string, 3>> passwords =
      ReadPasswords(context.machine, args.passwordStdin);
  if (!passwords) {
    if (context.Stopped()) return kExitStopped;
    fmt::print(stderr,
               "vk38: three passwords are needed: at a terminal, or with --password-stdin\n");
    return kExitFileRefused;
  }
  const CredentialChange change{.oldUser = args.oldUser,
                                .newUser = args.newUser,
                                .oldPassword = (*passwords)[0],
                                .newPassword = (*passwords)[1],
                                .retyped = (*passwords)[2]};
  if (const std::optional<std::string> refused = RefusedCharacters(change)) {
    fmt::print(stderr, "vk38: {}\n", *refused);
    return kExitFileRefused;
  }
  return RunOnPanels(context, {args.panel},
                     [&](PanelAddress panel) { return ChangeCredentials(context, panel, change); });
}

}  // namespace

void AddAuthSet(CLI::App& auth, Invocation& invocation) {
  const auto options = std::make_shared<AuthSetOptions>();
  CLI::App* set = auth.add_subcommand(
      "set", "change the pair; passwords are asked for without echo (old, new, new again)");
  AddPanelArgument(*set, options->panelText);
  set->add_option("--old-user", options->oldUser, "the user name the panel holds")->required();
  set->add_option("--new-user", options->newUser, "the new user name")->required();
  set->add_flag("--password-stdin", options->passwordStdin,
                "read the three passwords as lines from standard input");
  set->callback([&invocation, options] {
    options->panel = Resolve(options->panelText);
    invocation.exitCode = AuthSet(invocation.Context(), *options);
  });
}

}  // namespace cli
