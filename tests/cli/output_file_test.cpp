// vk38's outputs on a file system that fails on demand: whatever step
// fails, the file that had the name keeps its bytes and no temporary file
// is left; a numbered name never replaces a file.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "io/destination.h"
#include "io/output_file.h"
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

TEST(OutputFile, WhatIsNoPlainFileIsWrittenIntoAndALinkOrItsPermissionsStay) {
  FakeFileSystem files;
  files.streams.insert("/dev/null");
  files.Add("tables/vk1.csv", {.content = "old", .permissions = 0600});
  files.links["vk1.csv"] = "tables/vk1.csv";
  files.folders.insert("tables");

  // A device or pipe takes the bytes as they come; nothing is made beside it.
  for (const cli::Naming naming : {cli::Naming::kReplace, cli::Naming::kNumbered}) {
    const cli::Saved saved = cli::SaveWhole(files, "/dev/null", naming, cli::BytesOf("table"));
    EXPECT_FALSE(saved.failure) << *saved.failure;
    EXPECT_EQ(saved.name, "/dev/null");
  }
  EXPECT_EQ(files.streamed["/dev/null"], "tabletable");

  // The link stays; the file it leads to takes the bytes, with its permissions.
  EXPECT_EQ(cli::SaveWhole(files, "vk1.csv", cli::Naming::kReplace, cli::BytesOf("new")).name,
            "vk1.csv");
  EXPECT_EQ(files.links.at("vk1.csv"), "tables/vk1.csv");
  EXPECT_EQ(files.files.at("tables/vk1.csv")->content, "new");
  EXPECT_EQ(files.files.at("tables/vk1.csv")->permissions, 0600u);

  EXPECT_EQ(cli::SaveWhole(files, "tables", cli::Naming::kReplace, cli::BytesOf("x")).failure,
            "cannot write tables: it is a folder");
  EXPECT_EQ(Contents(files), (std::map<std::string, std::string>{{"tables/vk1.csv", "new"}}));
}

TEST(OutputFile, DashOEndingInASeparatorOrNamingAFolderIsAFolderForOnePanelToo) {
  FakeFileSystem files;
  files.folders.insert("backups");
  files.streams.insert("NUL");
  files.Add("vk1.csv");
  struct Case {
    std::string output;
    std::size_t panels;
    bool filesTaken;
    cli::Destination expected;
  };
  const Case cases[] = {
      {"-", 1, true, cli::Destination::kStream},
      {"NUL", 1, false, cli::Destination::kStream},
      {"tables/", 1, true, cli::Destination::kFolder},
      {"tables\\", 1, true, cli::Destination::kFolder},
      {"backups", 1, true, cli::Destination::kFolder},
      {"tables", 2, true, cli::Destination::kFolder},
      {"tables", 1, true, cli::Destination::kFile},
      {"vk1.csv", 1, true, cli::Destination::kFile},
      {"tables", 1, false, cli::Destination::kFolder},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(cli::DestinationOf(files, c.output, c.panels, c.filesTaken), c.expected)
        << c.output << " for " << c.panels;
  }
}

}  // namespace
