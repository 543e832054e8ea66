#include "pages/user_auth/user_auth.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/system.h"
#include "protocol/zero_sum.h"
#include "resources/resource.h"
#include "support/fake_network.h"
#include "support/scripted_host.h"
#include "support/user_input.h"

namespace {

using testing_support::Click;
using testing_support::FakeNetwork;
using testing_support::ScriptedHost;
using testing_support::ScriptedPeer;
using testing_support::Type;

const std::string kIncorrect = "Enterd information is incorrect. Enter again.";
const std::string kTooLong = "String too long.";
const std::string kChangeOk = std::string("SETTING CHANGE OK\r\n") + '\0';
const std::string kWriteOk = std::string("WRITE OK\r\n") + '\0';

// A credential record as a panel sends it.
std::string PanelRecord(const std::string& user, const std::string& password) {
  std::string record(protocol::CredentialRecord::kSize, '\0');
  record.replace(0, user.size(), user);
  record.replace(33, password.size(), password);
  std::uint8_t sum =
      protocol::ByteSum({reinterpret_cast<const std::uint8_t*>(record.data()), record.size()});
  record[66] = static_cast<char>(0x100 - sum);
  return record;
}

struct UserAuthPage : ::testing::Test {
  ScriptedHost host;
  FakeNetwork network;
  platform::SystemFileSystem files;
  rules::PanelAddressBook panels;
  CUser_Auth page{PageContext{host, ChosenPanel{network, panels}, files}};

  void SetUp() override { page.OnInitDialog(); }

  void Fill(const std::string& oldUser, const std::string& newUser, const std::string& oldPassword,
            const std::string& newPassword, const std::string& retyped) {
    Type(page, IDC_OLD_USER_NAME, oldUser);
    Type(page, IDC_NEW_USER_NAME, newUser);
    Type(page, IDC_OLD_PASSWORD, oldPassword);
    Type(page, IDC_NEW_PASSWORD, newPassword);
    Type(page, IDC_RETYPE_PASSWORD, retyped);
  }
  void FillFactoryChange(const std::string& newUser, const std::string& newPassword) {
    Fill("staff", newUser, "48213", newPassword, newPassword);
  }
  void RefreshFrom(const std::string& block) {
    network.Expect(ScriptedPeer::Answering({block}));
    Click(page, IDC_AUTH_REFRESH);
  }
  // A panel that takes the change and answers `lastReply`.
  ScriptedPeer& ExpectChange(const std::string& lastReply = kWriteOk) {
    return network.Expect(ScriptedPeer::Answering({kChangeOk, lastReply}));
  }
  const std::string& Field(int id) { return page.Controls().Text(id); }
};

TEST_F(UserAuthPage, EveryFieldIsLimitedTo32Characters) {
  for (int id : {IDC_OLD_USER_NAME, IDC_NEW_USER_NAME, IDC_OLD_PASSWORD, IDC_NEW_PASSWORD,
                 IDC_RETYPE_PASSWORD}) {
    EXPECT_EQ(page.Controls().State(id).textLimit, 32);
  }
}

TEST_F(UserAuthPage, ARefusedCharacterCutsTheFieldToItsLeadingRun) {
  Type(page, IDC_NEW_USER_NAME, "ab&cd");
  EXPECT_EQ(Field(IDC_NEW_USER_NAME), "ab");
  ASSERT_EQ(host.boxes.size(), 1u);  // the filter's second run, on "ab", stays silent
  EXPECT_EQ(host.boxes[0].text, kIncorrect);
  EXPECT_EQ(host.boxes[0].style, ui::kMbOk | ui::kMbIconExclamation);
  EXPECT_EQ(host.boxes[0].caption, testing_support::kApplicationName);
}

TEST_F(UserAuthPage, NamesAndPasswordsHaveTheirOwnCharacterSets) {
  for (const char* refusedInNames : {":", ";", "\\"}) {
    Type(page, IDC_OLD_USER_NAME, std::string("ab") + refusedInNames);
    EXPECT_EQ(Field(IDC_OLD_USER_NAME), "ab") << refusedInNames;
    Type(page, IDC_OLD_PASSWORD, std::string("ab") + refusedInNames);
    EXPECT_EQ(Field(IDC_OLD_PASSWORD), std::string("ab") + refusedInNames);
  }
  EXPECT_EQ(host.boxes.size(), 3u);
  for (const char* refusedEverywhere : {" ", "\"", "&", "\xC3\xA9", "\t"}) {
    for (int id : {IDC_NEW_USER_NAME, IDC_RETYPE_PASSWORD}) {
      Type(page, id, std::string("x!~") + refusedEverywhere + "yz");
      EXPECT_EQ(Field(id), "x!~") << refusedEverywhere;
    }
  }
  EXPECT_EQ(host.boxes.back().text, kIncorrect);
}

TEST_F(UserAuthPage, TextLongerThan32CharactersIsCutTo32) {
  Type(page, IDC_NEW_PASSWORD, std::string(33, 'p'));
  EXPECT_EQ(Field(IDC_NEW_PASSWORD), std::string(32, 'p'));
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].text, kTooLong);
  EXPECT_EQ(host.boxes[0].Icon(), ui::kMbIconExclamation);
  Type(page, IDC_NEW_USER_NAME, std::string(32, 'n'));
  EXPECT_EQ(host.boxes.size(), 1u);
}

TEST_F(UserAuthPage, SetChecksTheSevenRulesInOrderAndSendsNothingOnABrokenOne) {
  struct Case {
    std::string oldUser, newUser, oldPassword, newPassword, retyped, message;
  };
  const Case cases[] = {
      {"", "", "", "", "", "Complete the \"Old User Name\" field."},
      {"staff", "", "", "", "", "Complete the \"New User Name\" field."},
      {"staff", "new", "482", "", "", "Complete the \"Old Password\" field."},
      {"staff", "new", "48213", "abc", "", "Complete the \"New Password\" field."},
      {"staff", "new", "48213", "abcd", "abc", "Complete the \"Retype New Password\" field."},
      {"staff", "new", "48213", "abcd", "abcD",
       "Password enterd in the \"Retype New Password\" field is incorrect."},
      {"staff", "new", "48214", "abcd", "abcd", "Old User Name or Old Password  is incorrect."},
      {"Staff", "new", "48213", "abcd", "abcd", "Old User Name or Old Password  is incorrect."},
  };
  for (const Case& c : cases) {
    host.boxes.clear();
    Fill(c.oldUser, c.newUser, c.oldPassword, c.newPassword, c.retyped);
    Click(page, IDC_AUTH_SET);
    ASSERT_EQ(host.boxes.size(), 1u) << c.message;
    EXPECT_EQ(host.boxes[0].text, c.message);
    EXPECT_EQ(host.boxes[0].style, ui::kMbOk | ui::kMbIconError);
    EXPECT_EQ(Field(IDC_NEW_USER_NAME), c.newUser) << "fields stay as typed";
  }
  EXPECT_TRUE(network.Connections().empty());
}

TEST_F(UserAuthPage, SetSendsTheNewPairInTheRecordAndConfirmsTheWrite) {
  ScriptedPeer& panel = ExpectChange();
  FillFactoryChange("abc", "wxyz");
  Click(page, IDC_AUTH_SET);

  ASSERT_EQ(host.BoxTexts(), std::vector<std::string>{"Write OK.\nPlease reboot TL-VK38."});
  EXPECT_EQ(host.boxes[0].caption, "Status");
  EXPECT_EQ(host.boxes[0].style, ui::kMbOk);

  const std::string command = "VK38 AUTH SETTING CHANGE\r\n";
  ASSERT_EQ(panel.received.size(), command.size() + protocol::CredentialRecord::kSize);
  EXPECT_EQ(panel.received.substr(0, command.size()), command);
  const std::string record = panel.received.substr(command.size());
  EXPECT_EQ(record.substr(0, 4), std::string("abc") + '\0');
  EXPECT_EQ(record.substr(33, 5), std::string("wxyz") + '\0');
  EXPECT_TRUE(
      protocol::IsZeroSum({reinterpret_cast<const std::uint8_t*>(record.data()), record.size()}));
  EXPECT_NE(record[66], '\0');

  EXPECT_EQ(page.PanelUserName(), "abc");
  EXPECT_EQ(page.PanelPassword(), "wxyz");
  EXPECT_EQ(Field(IDC_OLD_USER_NAME), "abc");
  for (int id : {IDC_NEW_USER_NAME, IDC_OLD_PASSWORD, IDC_NEW_PASSWORD, IDC_RETYPE_PASSWORD}) {
    EXPECT_EQ(Field(id), "");
  }
}

TEST_F(UserAuthPage, AfterRefreshThePanelPairIsAcceptedButNotMixedWithTheFactoryPair) {
  RefreshFrom(PanelRecord("admin", "secret1"));
  EXPECT_EQ(Field(IDC_OLD_USER_NAME), "admin");
  EXPECT_TRUE(host.boxes.empty());

  Fill("admin", "n", "48213", "abcd", "abcd");
  Click(page, IDC_AUTH_SET);
  Fill("staff", "n", "secret1", "abcd", "abcd");
  Click(page, IDC_AUTH_SET);
  EXPECT_EQ(host.BoxTexts(),
            std::vector<std::string>(2, "Old User Name or Old Password  is incorrect."));
  EXPECT_TRUE(network.Connections().size() == 1);

  ExpectChange();
  Fill("admin", "n", "secret1", "abcd", "abcd");
  Click(page, IDC_AUTH_SET);
  EXPECT_EQ(host.BoxTexts().back(), "Write OK.\nPlease reboot TL-VK38.");
}

TEST_F(UserAuthPage, RefreshDropsBlocksWithABadSumOrBeyondTheRecord) {
  RefreshFrom(PanelRecord("admin", "secret1"));
  const protocol::CredentialRecord known = page.Record();

  std::string badSum = PanelRecord("other", "pass");
  badSum[67] = 1;
  Type(page, IDC_NEW_USER_NAME, "typed");
  RefreshFrom(badSum);
  EXPECT_EQ(page.Record(), known);
  EXPECT_EQ(Field(IDC_NEW_USER_NAME), "") << "record display ran on the unchanged record";

  std::string longer = PanelRecord("other", "pass") + std::string(4, '\0');
  RefreshFrom(longer);
  EXPECT_EQ(page.Record(), known);
  EXPECT_TRUE(host.boxes.empty());
}

TEST_F(UserAuthPage, ANameWithABlankFromThePanelIsCutByTheFilter) {
  RefreshFrom(PanelRecord("ad min", "secret1"));
  EXPECT_EQ(Field(IDC_OLD_USER_NAME), "ad");
  EXPECT_EQ(host.BoxTexts(), std::vector<std::string>{kIncorrect});
}

TEST_F(UserAuthPage, RefreshFailuresAndWhatTheyLeave) {
  Type(page, IDC_NEW_USER_NAME, "kept");
  network.Expect(ScriptedPeer::Refusing());
  Click(page, IDC_AUTH_REFRESH);
  network.Expect(ScriptedPeer().TakingOnly(0));
  Click(page, IDC_AUTH_REFRESH);
  EXPECT_EQ(host.BoxTexts(), (std::vector<std::string>{"Not connected.", "Socket error."}));
  for (const auto& box : host.boxes) EXPECT_EQ(box.Icon(), ui::kMbIconError);
  EXPECT_EQ(Field(IDC_NEW_USER_NAME), "kept");

  // A receive error or a socket that cannot be created still shows the record.
  network.Expect(ScriptedPeer::Answering({"abc"}).ThenFailing());
  Click(page, IDC_AUTH_REFRESH);
  EXPECT_EQ(Field(IDC_NEW_USER_NAME), "");
  Type(page, IDC_NEW_USER_NAME, "again");
  network.socketCreationFails = true;
  Click(page, IDC_AUTH_REFRESH);
  EXPECT_EQ(Field(IDC_NEW_USER_NAME), "");
  EXPECT_EQ(host.boxes.size(), 2u);
}

TEST_F(UserAuthPage, ASetThePanelDidNotConfirmLeavesTheKnownPairInPlace) {
  RefreshFrom(PanelRecord("admin", "secret1"));
  struct Failure {
    const char* what;
    std::function<void()> script;
    std::vector<std::string> boxes;
  };
  const Failure failures[] = {
      {"socket not created", [&] { network.socketCreationFails = true; }, {}},
      {"not connected", [&] { network.Expect(ScriptedPeer::Refusing()); }, {"Not connected."}},
      {"command not sent",
       [&] { network.Expect(ScriptedPeer().TakingOnly(0)); },
       {"Socket error."}},
      {"no first reply", [&] { network.Expect(); }, {"Socket error."}},
      {"command refused",
       [&] { network.Expect(ScriptedPeer::Answering({"SETTING CHANGE NG\r\n?"})); },
       {"Command error."}},
      {"record not sent",
       [&] { network.Expect(ScriptedPeer::Answering({kChangeOk}).TakingOnly(40)); },
       {}},
      {"no final reply", [&] { network.Expect(ScriptedPeer::Answering({kChangeOk})); }, {}},
      {"write refused",
       [&] { ExpectChange(std::string("WRITE NG\r\n") + '\0'); },
       {"Write error."}},
  };
  for (const Failure& failure : failures) {
    host.boxes.clear();
    network.socketCreationFails = false;
    failure.script();
    Fill("admin", "intruder", "secret1", "abcd", "abcd");
    Click(page, IDC_AUTH_SET);
    EXPECT_EQ(host.BoxTexts(), failure.boxes) << failure.what;
    EXPECT_EQ(page.PanelUserName(), "admin") << failure.what;
    EXPECT_EQ(page.PanelPassword(), "secret1") << failure.what;
    EXPECT_EQ(Field(IDC_OLD_USER_NAME), "admin") << failure.what;
    EXPECT_EQ(Field(IDC_OLD_PASSWORD), "") << failure.what;
  }
}

}  // namespace
