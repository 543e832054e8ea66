// vk38's outputs on a file system that fails on demand: whatever step
// fails, the file that had the name keeps its bytes and no temporary file
// is left; a numbered name never replaces a file.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "io/destination.h"
#include "io/output_file.h"
#include "io/whole_file.h"
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

// A file read whole into the room its size asks for, or in growing pieces
// where it tells none or a wrong one (it grew or shrank since): every size
// around the pieces' edges and the limit comes back byte for byte or is
// refused as larger, and a read that fails part-way gives no bytes.
TEST(WholeFile, EverySizeUpToTheLimitComesBackWholeAndOneMoreIsRefused) {
  constexpr std::size_t kLimit = 200 * 1024;
  const std::size_t sizes[] = {0,      1,          65535,  65536,      65537,     131072,
                               131073, kLimit - 1, kLimit, kLimit + 1, kLimit * 3};
  const auto hints = [](std::size_t size) {
    return std::vector<std::optional<std::uint64_t>>{std::nullopt, size, size / 2, size + 4096};
  };
  for (const std::size_t size : sizes) {
    std::string content(size, '\0');
    for (std::size_t i = 0; i < size; ++i) content[i] = static_cast<char>(i * 7 + i / 251);
    for (const std::optional<std::uint64_t> hint : hints(size)) {
      FakeFileSystem files;
      files.Add("image", {.content = content, .sizeHint = hint});
      const cli::WholeFile read = cli::ReadWholeFile(files, "image", kLimit);
      const std::string which = std::to_string(size) + " bytes, hint " +
                                (hint ? std::to_string(*hint) : std::string("none"));
      if (size <= kLimit) {
        EXPECT_FALSE(read.failure) << which;
        EXPECT_TRUE(read.bytes == content) << which;
      } else {
        EXPECT_EQ(read.failure, "image is larger than 204800 bytes") << which;
        EXPECT_TRUE(read.bytes.empty()) << which;
      }
    }
  }
  FakeFileSystem files;
  files.Add("image", {.content = std::string(100000, 'x'), .readFailsAfter = 70000});
  const cli::WholeFile broken = cli::ReadWholeFile(files, "image", kLimit);
  EXPECT_EQ(broken.failure, "cannot read image: scripted failure");
  EXPECT_TRUE(broken.bytes.empty());
  EXPECT_EQ(cli::ReadWholeFile(files, "absent", kLimit).failure,
            "cannot open absent: scripted failure");
}
