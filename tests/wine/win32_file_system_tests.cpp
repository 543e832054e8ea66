// Files through the Windows file API: paths outside ASCII, truncation, the
// sharing that lets others read while the program writes, and the results
// the pages rely on.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_file_system.h"

namespace {

using platform::win32::Utf8ToWide;
using platform::win32::WideToUtf8;

class FileSystemTest : public testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    directory_ = WideToUtf8(temp) + "setuptool-files-" + std::to_string(::GetCurrentProcessId());
    ::CreateDirectoryW(Utf8ToWide(directory_).c_str(), nullptr);
  }
  void TearDown() override {
    for (const std::string& path : made_) ::DeleteFileW(Utf8ToWide(path).c_str());
    ::RemoveDirectoryW(Utf8ToWide(directory_).c_str());
  }
  std::string PathOf(const std::string& name) {
    made_.push_back(directory_ + "\\" + name);
    return made_.back();
  }
  static bool WriteAll(platform::FileSystem& files, const std::string& path,
                       const std::string& bytes) {
    auto file = files.CreateForWriting(path);
    return file && file->Write(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()) &&
           file->Close();
  }
  static std::string ReadAll(platform::ReadableFile& file, std::size_t block = 4096) {
    std::string bytes;
    std::vector<std::uint8_t> buffer(block);
    for (;;) {
      const std::ptrdiff_t got = file.Read(buffer.data(), buffer.size());
      if (got <= 0) return bytes;
      bytes.append(reinterpret_cast<const char*>(buffer.data()), static_cast<std::size_t>(got));
    }
  }

  platform::win32::Win32FileSystem files;

 private:
  std::string directory_;
  std::vector<std::string> made_;
};

TEST_F(FileSystemTest, NamesOutsideAsciiRoundTripByteForByte) {
  const std::string path = PathOf("Einstellung Ü ソケット.v38");
  std::string bytes(10000, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7);
  ASSERT_TRUE(WriteAll(files, path, bytes));

  // The file carries that very name, not a mangled one.
  EXPECT_NE(::GetFileAttributesW(Utf8ToWide(path).c_str()), INVALID_FILE_ATTRIBUTES);
  auto file = files.OpenForReading(path);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(ReadAll(*file, 4096), bytes);
  std::uint8_t byte;
  EXPECT_EQ(file->Read(&byte, 1), 0) << "the end must keep reading as 0";
}

TEST_F(FileSystemTest, WritingTruncatesAndMissingFilesDoNotOpen) {
  const std::string path = PathOf("VK38.log");
  ASSERT_TRUE(WriteAll(files, path, "a much longer first content"));
  ASSERT_TRUE(WriteAll(files, path, "short"));
  auto file = files.OpenForReading(path);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(ReadAll(*file), "short");

  EXPECT_EQ(files.OpenForReading(PathOf("missing.bin")), nullptr);
  EXPECT_EQ(files.OpenForReading(""), nullptr);
  EXPECT_EQ(files.CreateForWriting(PathOf("no such folder\\x.v38")), nullptr);
}

TEST_F(FileSystemTest, OthersMayReadWhileTheProgramWritesButNotWrite) {
  const std::string path = PathOf("shared.v38");
  auto writer = files.CreateForWriting(path);
  ASSERT_NE(writer, nullptr);
  ASSERT_TRUE(writer->Write(reinterpret_cast<const std::uint8_t*>("abc"), 3));

  EXPECT_NE(files.OpenForReading(path), nullptr) << "a reader was shut out";
  const HANDLE otherWriter =
      ::CreateFileW(Utf8ToWide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_EQ(otherWriter, INVALID_HANDLE_VALUE) << "another writer got in";
  if (otherWriter != INVALID_HANDLE_VALUE) ::CloseHandle(otherWriter);

  EXPECT_TRUE(writer->Close());
  EXPECT_TRUE(writer->Close()) << "a second Close must do nothing";
  EXPECT_FALSE(writer->Write(reinterpret_cast<const std::uint8_t*>("d"), 1));
}

TEST_F(FileSystemTest, AMoveReplacesOnlyWhenAskedAndFailuresSayWhy) {
  const std::string done = PathOf("t.csv");
  const std::string pending = PathOf("t.csv.0a1b2c3d.part");
  ASSERT_TRUE(WriteAll(files, done, "old"));
  ASSERT_TRUE(WriteAll(files, pending, "new"));

  EXPECT_EQ(files.Move(pending, done, platform::Existing::kKeep), platform::Moved::kTargetExists);
  auto file = files.OpenForReading(done);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(ReadAll(*file), "old");
  file.reset();
  EXPECT_EQ(files.Move(pending, done, platform::Existing::kReplace), platform::Moved::kDone);
  file = files.OpenForReading(done);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(ReadAll(*file), "new");
  EXPECT_EQ(files.OpenForReading(pending), nullptr);
  file.reset();

  EXPECT_TRUE(files.Remove(done));
  EXPECT_FALSE(files.Remove(done));
  EXPECT_FALSE(files.LastFailure().empty());
  EXPECT_EQ(files.Move(pending, done, platform::Existing::kReplace), platform::Moved::kFailed);
}

TEST_F(FileSystemTest, ReadingLetsOthersWriteMeanwhile) {
  const std::string path = PathOf("image.bin");
  ASSERT_TRUE(WriteAll(files, path, "first"));
  auto reader = files.OpenForReading(path);
  ASSERT_NE(reader, nullptr);
  // Another program keeps the file open for writing while it is sent.
  const HANDLE other =
      ::CreateFileW(Utf8ToWide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_NE(other, INVALID_HANDLE_VALUE) << "reading shut out other writers";
  if (other != INVALID_HANDLE_VALUE) ::CloseHandle(other);
  EXPECT_EQ(ReadAll(*reader), "first");
}

// A mapped image is the file's bytes, and nobody writes the file while it
// is mapped; an empty file, or one that another program has open for
// writing, is not mapped (and is read instead).
TEST_F(FileSystemTest, AMappedFileIsItsBytesAndShutsOutWritersWhileMapped) {
  const std::string path = PathOf("program.bin");
  std::string bytes(200000, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 13 + 5);
  ASSERT_TRUE(WriteAll(files, path, bytes));
  {
    const std::unique_ptr<platform::MappedFile> mapped = files.MapForReading(path);
    ASSERT_NE(mapped, nullptr);
    EXPECT_EQ(
        std::string(reinterpret_cast<const char*>(mapped->Bytes().data()), mapped->Bytes().size()),
        bytes);
    EXPECT_EQ(files.CreateForWriting(path), nullptr) << "the mapped file was written";
    EXPECT_NE(files.OpenForReading(path), nullptr) << "a reader was shut out";
  }
  EXPECT_TRUE(WriteAll(files, path, "after")) << "the file stayed locked";

  const std::string empty = PathOf("empty.bin");
  ASSERT_TRUE(WriteAll(files, empty, ""));
  EXPECT_EQ(files.MapForReading(empty), nullptr);
  EXPECT_EQ(files.MapForReading(PathOf("missing.bin")), nullptr);
  const HANDLE other =
      ::CreateFileW(Utf8ToWide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(other, INVALID_HANDLE_VALUE);
  EXPECT_EQ(files.MapForReading(path), nullptr) << "a file being written was mapped";
  ::CloseHandle(other);
}

}  // namespace
