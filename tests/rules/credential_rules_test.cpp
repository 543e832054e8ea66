// The credential rules on their own: the two character sets, the field
// filter's corrections, the field rules in their order and at their length
// limits, and which old pair opens a change.
#include "rules/credential_rules.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "protocol/credential_record.h"

namespace {

using rules::CredentialCharset;

TEST(CredentialCharsets, NamesRefuseWhatPasswordsRefuseAndColonSemicolonBackslash) {
  struct Case {
    char c;
    bool name;
    bool password;
  };
  const Case cases[] = {
      {'a', true, true},      {'~', true, true},      {'!', true, true},      {'0', true, true},
      {':', false, true},     {';', false, true},     {'\\', false, true},    {'"', false, false},
      {'&', false, false},    {' ', false, false},    {'\x7F', false, false}, {'\t', false, false},
      {'\x80', false, false}, {'\xE9', false, false},
  };
  for (const Case& test : cases) {
    EXPECT_EQ(rules::IsAllowed(CredentialCharset::kName, test.c), test.name) << int(test.c);
    EXPECT_EQ(rules::IsAllowed(CredentialCharset::kPassword, test.c), test.password) << int(test.c);
  }
}

TEST(CorrectField, CutsBeforeTheFirstRefusedCharacterThenAtTheLengthLimit) {
  const std::string limit(rules::kCredentialMaxLength, 'x');
  struct Case {
    CredentialCharset charset;
    std::string typed;
    std::optional<std::string> kept;  // nothing: the field stays as typed
    std::string refusal;
  };
  const std::string refused = "Enterd information is incorrect. Enter again.";
  const Case cases[] = {
      {CredentialCharset::kName, "staff", std::nullopt, ""},
      {CredentialCharset::kName, "st;aff", "st", refused},
      {CredentialCharset::kPassword, "st;aff", std::nullopt, ""},
      {CredentialCharset::kPassword, "pa ss", "pa", refused},
      {CredentialCharset::kName, "", std::nullopt, ""},
      {CredentialCharset::kName, limit, std::nullopt, ""},
      {CredentialCharset::kName, limit + "y", limit, "String too long."},
      // A refused character past the limit is told first; the cut follows
      // when the filter runs on the corrected field.
      {CredentialCharset::kName, limit + "yy&", limit + "yy", refused},
  };
  for (const Case& test : cases) {
    const std::optional<rules::FieldCorrection> corrected =
        rules::CorrectField(test.charset, test.typed);
    ASSERT_EQ(corrected.has_value(), test.kept.has_value()) << test.typed;
    if (!corrected) continue;
    EXPECT_EQ(corrected->kept, *test.kept) << test.typed;
    EXPECT_EQ(corrected->refusal, test.refusal) << test.typed;
  }
}

// A change that breaks no rule, from the factory pair.
rules::CredentialChange GoodChange() {
  return {.oldUser = std::string(protocol::kFactoryUserName),
          .newUser = "keeper",
          .oldPassword = std::string(protocol::kFactoryPassword),
          .newPassword = "s3cr!t",
          .retyped = "s3cr!t"};
}

TEST(CredentialRules, EachFieldRuleIsToldFirstInTheFieldsOrderAtItsLimits) {
  const std::string limit(rules::kCredentialMaxLength, 'x');
  const std::string over = limit + "x";
  struct Case {
    std::string rules::CredentialChange::*field;
    std::string value;
    std::optional<std::string> broken;
  };
  const Case cases[] = {
      {&rules::CredentialChange::oldUser, "", "Complete the \"Old User Name\" field."},
      {&rules::CredentialChange::oldUser, over, "Complete the \"Old User Name\" field."},
      {&rules::CredentialChange::newUser, "k", std::nullopt},
      {&rules::CredentialChange::newUser, limit, std::nullopt},
      {&rules::CredentialChange::newUser, over, "Complete the \"New User Name\" field."},
      {&rules::CredentialChange::oldPassword, "123", "Complete the \"Old Password\" field."},
      {&rules::CredentialChange::newPassword, "abc", "Complete the \"New Password\" field."},
      {&rules::CredentialChange::retyped, over, "Complete the \"Retype New Password\" field."},
      {&rules::CredentialChange::retyped, "s3cr!T",
       "Password enterd in the \"Retype New Password\" field is incorrect."},
  };
  for (const Case& test : cases) {
    rules::CredentialChange change = GoodChange();
    change.*test.field = test.value;
    EXPECT_EQ(rules::BrokenFieldRule(change), test.broken) << test.value;
    // A field rule is told before the old pair is looked at.
    if (test.broken) {
      EXPECT_EQ(rules::BrokenCredentialRule(change, "", ""), test.broken);
    }
  }
  // Every field short at once: the first field is the one told.
  EXPECT_EQ(rules::BrokenFieldRule({}), "Complete the \"Old User Name\" field.");
}

TEST(CredentialRules, OnlyTheFactoryPairOrThePanelsOwnPairOpensAChange) {
  const std::string wrongPair = "Old User Name or Old Password  is incorrect.";
  struct Case {
    std::string oldUser;
    std::string oldPassword;
    std::optional<std::string> broken;
  };
  const std::string factoryUser(protocol::kFactoryUserName);
  const std::string factoryPassword(protocol::kFactoryPassword);
  const Case cases[] = {
      {factoryUser, factoryPassword, std::nullopt},
      {"keeper", "pass2word", std::nullopt},  // the panel's own
      {factoryUser, "pass2word", wrongPair},  // never a pair made of both
      {"keeper", factoryPassword, wrongPair},
      {"Keeper", "pass2word", wrongPair},
  };
  for (const Case& test : cases) {
    rules::CredentialChange change = GoodChange();
    change.oldUser = test.oldUser;
    change.oldPassword = test.oldPassword;
    EXPECT_EQ(rules::BrokenCredentialRule(change, "keeper", "pass2word"), test.broken)
        << test.oldUser << " " << test.oldPassword;
  }
}

}  // namespace
