// auth set: the User Auth. page's rules and texts, the passwords from
// standard input and never in any output.
#include <gtest/gtest.h>

#include "in_process.h"
#include "platform/system.h"
#include "protocol/credential_record.h"
#include "sim/panel_simulator.h"
#include "support/fake_file_system.h"
#include "vk38_runner.h"

namespace {

using cli_test::RunVk38;

constexpr protocol::PanelAddress kVk1 = 0xC0A80009;

class AuthSet : public ::testing::Test {
 protected:
  void SetUp() override {
    sim::PanelTiming timing;
    timing.lineGap = std::chrono::milliseconds(10);
    timing.peerWait = std::chrono::milliseconds(5000);
    simulator.Panel(kVk1).SetTiming(timing);
    std::string error;
    ASSERT_TRUE(simulator.Start(&error)) << error;
  }

  protocol::CredentialRecord Held() {
    protocol::CredentialRecord record;
    record.Overwrite(simulator.Panel(kVk1).Credentials());
    return record;
  }

  // Runs auth set with the three passwords on standard input (after the
  // options in `global`); they must not show anywhere in what vk38 prints.
  cli_test::Vk38Run Run(const std::string& oldUser, const std::string& newUser,
                        const std::vector<std::string>& passwords,
                        std::vector<std::string> global = {}) {
    std::string input;
    for (const std::string& password : passwords) input += password + "\n";
    for (const char* argument : {"auth", "set", "VK1", "--old-user", oldUser.c_str(), "--new-user",
                                 newUser.c_str(), "--password-stdin"}) {
      global.emplace_back(argument);
    }
    const auto run = RunVk38(global, input);
    for (const std::string& password : passwords) {
      EXPECT_EQ(run.out.find(password), std::string::npos) << run.out;
      EXPECT_EQ(run.err.find(password), std::string::npos) << run.err;
    }
    return run;
  }

  platform::SystemNetwork network;
  sim::PanelSimulator simulator{network, {kVk1}};
};

TEST_F(AuthSet, TheFactoryPairOrThePanelsOwnOpensTheChange) {
  auto run = Run("staff", "keeper", {"48213", "s3cr!t", "s3cr!t"});
  EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
  EXPECT_EQ(run.out,
            "192.168.0.9: Write OK. Please reboot TL-VK38. [changed: yes]\n"
            "1 panel: 1 succeeded, 0 failed; changed: 1 yes, 0 maybe, 0 no\n");
  EXPECT_EQ(Held().UserName(), "keeper");
  EXPECT_EQ(Held().Password(), "s3cr!t");

  // Now the panel's pair is the old one.
  run = Run("keeper", "second", {"s3cr!t", "pass2word", "pass2word"});
  EXPECT_EQ(run.exitCode, 0) << run.out;
  EXPECT_EQ(Held().UserName(), "second");
}

TEST_F(AuthSet, VerboseTracesEachStepButNoCredentialBlock) {
  const std::size_t held = simulator.Panel(kVk1).Credentials().size();
  const auto run = Run("staff", "keeper", {"48213", "s3cr!t", "s3cr!t"}, {"-v"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err,
            "192.168.0.9: connected\n"
            "192.168.0.9: > VK38 AUTH SETTING REQ\n"
            "192.168.0.9: < " +
                std::to_string(held) +
                " bytes\n"
                "192.168.0.9: connected\n"
                "192.168.0.9: > VK38 AUTH SETTING CHANGE\n"
                "192.168.0.9: < SETTING CHANGE OK\n"
                "192.168.0.9: > " +
                std::to_string(protocol::CredentialRecord::kSize) +
                " bytes\n"
                "192.168.0.9: < WRITE OK\n");
  // Nor the user names the blocks hold.
  EXPECT_EQ(run.err.find("keeper"), std::string::npos);
  EXPECT_EQ(run.err.find("staff"), std::string::npos);
}

TEST_F(AuthSet, EachBrokenRuleIsThePagesTextAndNothingIsWritten) {
  // Only the old pair needs the panel; every other rule is judged before it is asked.
  const sim::Bytes before = simulator.Panel(kVk1).Credentials();
  auto run = Run("staff", "keeper", {"4821", "abcd", "abcd"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out,
            "192.168.0.9: FAILED: Old User Name or Old Password  is incorrect. [changed: no]\n"
            "1 panel: 0 succeeded, 1 failed; changed: 0 yes, 0 maybe, 1 no\n");
  const std::size_t asked = simulator.Panel(kVk1).Received().size();
  for (const auto& [passwords, text] :
       std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{"48213", "abc", "abc"}, "Complete the \"New Password\" field."},
           {{"48213", "abcd", "abce"},
            "Password enterd in the \"Retype New Password\" field is incorrect."},
       }) {
    run = Run("staff", "keeper", passwords);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "vk38: " + text + " Nothing was sent.\n");
  }
  EXPECT_EQ(simulator.Panel(kVk1).Received().size(), asked);
  EXPECT_EQ(simulator.Panel(kVk1).Credentials(), before);
}

TEST_F(AuthSet, CharactersTheFieldsRefuseStopItBeforeAnyPanelIsAsked) {
  auto run = Run("staff", "kee;per", {"48213", "abcd", "abcd"});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.err.find("Enterd information is incorrect. Enter again."), std::string::npos);
  run = Run("staff", "keeper", {"48213", "ab&cd", "ab&cd"});
  EXPECT_EQ(run.exitCode, 2);
  // Too few lines: no password is guessed.
  run = Run("staff", "keeper", {"48213"});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_TRUE(simulator.Panel(kVk1).Received().empty());
}

TEST_F(AuthSet, ScriptsHandThePasswordsOverInAFileOnlyTheirOwnerMayReadOrADescriptor) {
  testing_support::FakeFileSystem files;
  cli_test::TestMachine machine{network, files};
  const std::string pair = "48213\nkeep3r\r\nkeep3r";  // a last line without its break counts
  files.Add("open.txt", {.content = pair, .permissions = 0644});
  files.Add("owner.txt", {.content = pair, .permissions = 0600});
  files.Add("short.txt", {.content = "48213\nkeep3r\n", .permissions = 0600});
  machine.console.descriptors[3] = pair + "\nnot read\n";
  const std::vector<std::string> command = {"auth",  "set",        "VK1",   "--old-user",
                                            "staff", "--new-user", "keeper"};
  const auto run = [&](std::vector<std::string> source) {
    std::vector<std::string> arguments = command;
    arguments.insert(arguments.end(), source.begin(), source.end());
    return cli_test::RunInProcess(machine, arguments);
  };
  for (const auto& [source, refusal] :
       std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{"--password-file", "open.txt"},
            "The password file open.txt may be read by others than its owner (mode 0644)"},
           {{"--password-file", "missing.txt"}, "The password file missing.txt cannot be opened"},
           {{"--password-file", "short.txt"},
            "Three passwords are needed: the password file short.txt holds 2 lines."},
           {{"--password-fd", "7"}, "descriptor 7 cannot be read"},
       }) {
    const cli_test::Vk38Run refused = run(source);
    EXPECT_EQ(refused.exitCode, 2) << source[1];
    EXPECT_NE(refused.err.find(refusal), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find("Nothing was sent."), std::string::npos) << refused.err;
  }
  EXPECT_TRUE(simulator.Panel(kVk1).Received().empty());
  // One source only: a usage error.
  const cli_test::Vk38Run both = run({"--password-file", "open.txt", "--password-fd", "3"});
  EXPECT_GE(both.exitCode, 100);
  EXPECT_NE(both.err.find("excludes"), std::string::npos) << both.err;

  cli_test::Vk38Run done = run({"--password-file", "owner.txt"});
  EXPECT_EQ(done.exitCode, 0) << done.err;
  EXPECT_EQ(Held().Password(), "keep3r");
  done = cli_test::RunInProcess(machine, {"auth", "set", "VK1", "--old-user", "keeper",
                                          "--new-user", "second", "--password-fd", "3"});
  EXPECT_EQ(done.exitCode, 1) << done.err;  // the old pair is now keeper/keep3r, not staff/48213
  machine.console.descriptors[3] = "keep3r\nthird1\nthird1\n";
  done = cli_test::RunInProcess(machine, {"auth", "set", "VK1", "--old-user", "keeper",
                                          "--new-user", "second", "--password-fd", "3"});
  EXPECT_EQ(done.exitCode, 0) << done.err;
  EXPECT_EQ(Held().UserName(), "second");
  EXPECT_EQ(Held().Password(), "third1");
}

TEST_F(AuthSet, CtrlCAtThePasswordPromptLeavesTheTerminalEchoing) {
  const cli_test::TerminalRun run = cli_test::RunVk38OnTerminal(
      {"auth", "set", "VK1", "--old-user", "staff", "--new-user", "keeper"},
      "Old Password: ", "\x03");
  EXPECT_NE(run.shown.find("Old Password: "), std::string::npos) << run.shown;
  EXPECT_EQ(run.exitCode, 130) << run.shown;
  EXPECT_TRUE(run.echoesAfterwards);
  EXPECT_TRUE(simulator.Panel(kVk1).Received().empty());
}

}  // namespace
