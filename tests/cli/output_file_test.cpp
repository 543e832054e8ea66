// vk38's outputs on a file system that fails on demand: whatever step
// fails, the file that had the name keeps its bytes and no temporary file
// is left; a numbered name never replaces a file.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "cli/output_file.h"
#include "support/fake_file_system.h"

namespace {

using testing_support::FakeFile;
using testing_support::FakeFileSystem;

std::map<std::string, std::string> Contents(const FakeFileSystem& files) {
  std::map<std::string, std::string> contents;
  for (const auto& [path, file] : files.files) contents[path] = file->content;
  return contents;
}

TEST(OutputFile, AFailureAtAnyStepKeepsTheOldFileAndLeavesNoOther) {
  const std::map<std::string, FakeFile> failures = {
      {"write", {.writeFailsAfter = 4}},
      {"sync", {.syncFails = true}},
      {"close", {.closeFails = true}},
  };
  for (const auto& [step, newFile] : failures) {
    FakeFileSystem files;
    files.Add("t.csv", {.content = "old table"});
    files.newFile = newFile;
    const cli::Saved saved =
        cli::SaveWhole(files, "t.csv", cli::Naming::kReplace, cli::BytesOf("the new table"));
    ASSERT_TRUE(saved.failure) << step;
    EXPECT_EQ(*saved.failure, "cannot write t.csv: scripted failure") << step;
    EXPECT_EQ(Contents(files), (std::map<std::string, std::string>{{"t.csv", "old table"}}))
        << step;
  }

  FakeFileSystem files;
  files.Add("t.csv", {.content = "old table"});
  files.movesFail = true;
  const cli::Saved saved =
      cli::SaveWhole(files, "t.csv", cli::Naming::kNumbered, cli::BytesOf("the new table"));
  EXPECT_EQ(saved.failure, "cannot name t.csv: scripted failure");
  EXPECT_EQ(Contents(files), (std::map<std::string, std::string>{{"t.csv", "old table"}}));
}

TEST(OutputFile, AnOutputNeverFinishedLeavesNothing) {
  FakeFileSystem files;
  files.Add("a.log", {.content = "an older log"});
  std::string failure;
  {
    const auto output = cli::CreateOutput(files, "a.log", cli::Naming::kReplace, failure);
    ASSERT_TRUE(output) << failure;
    EXPECT_TRUE(output->Write(cli::BytesOf("half a lo")));
    EXPECT_EQ(files.files.size(), 2u);
  }
  EXPECT_EQ(Contents(files), (std::map<std::string, std::string>{{"a.log", "an older log"}}));
}

TEST(OutputFile, ReplacingTakesTheNameAndNumberingGoesBesideEveryFileThatHasOne) {
  FakeFileSystem files;
  files.Add("t.csv", {.content = "old table"});
  files.Add("b_1.v38", {.content = "first"});
  files.Add("b_1_2.v38", {.content = "second"});
  files.Add("plain", {.content = "no extension"});

  EXPECT_EQ(cli::SaveWhole(files, "t.csv", cli::Naming::kReplace, cli::BytesOf("new")).name,
            "t.csv");
  EXPECT_EQ(cli::SaveWhole(files, "b_1.v38", cli::Naming::kNumbered, cli::BytesOf("third")).name,
            "b_1_3.v38");
  EXPECT_EQ(cli::SaveWhole(files, "plain", cli::Naming::kNumbered, cli::BytesOf("x")).name,
            "plain_2");
  EXPECT_EQ(Contents(files), (std::map<std::string, std::string>{{"b_1.v38", "first"},
                                                                 {"b_1_2.v38", "second"},
                                                                 {"b_1_3.v38", "third"},
                                                                 {"plain", "no extension"},
                                                                 {"plain_2", "x"},
                                                                 {"t.csv", "new"}}));
}

}  // namespace
