// An in-memory platform::FileSystem for the file failures a real disk does
// not produce on demand: a read that fails part-way, a write, sync, close or
// move that fails.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "platform/file_system.h"

namespace testing_support {

struct FakeFile {
  std::string content{};
  // Reading fails once this many bytes were read.
  std::optional<std::size_t> readFailsAfter{};
  // The size the opened file says it has; none, as a stream.
  std::optional<std::uint64_t> sizeHint{};
  // Writing fails once this many bytes were written; syncing and closing can fail.
  std::optional<std::size_t> writeFailsAfter{};
  bool syncFails = false;
  bool closeFails = false;
  bool closed = false;
  // Its permission bits, as created or scripted.
  std::optional<std::uint32_t> permissions{};
};

class FakeFileSystem : public platform::FileSystem {
 public:
  // Files by path; a path without an entry cannot be opened for reading.
  std::map<std::string, std::shared_ptr<FakeFile>> files;
  // Paths that cannot be created.
  std::set<std::string> locked;
  // What a file created at a path without an entry starts as: its scripted
  // failures (for files whose names the code under test chooses).
  FakeFile newFile{};
  // Every move fails.
  bool movesFail = false;
  // Paths that are folders, and paths that are streams (a device or a pipe:
  // what is written into one is kept in `streamed`).
  std::set<std::string> folders;
  std::set<std::string> streams;
  std::map<std::string, std::string> streamed;
  // Links to files: the link's path and the file's.
  std::map<std::string, std::string> links;

  // What LastFailure gives: the reason of every scripted failure.
  static constexpr const char* kScriptedFailure = "scripted failure";

  FakeFile& Add(const std::string& path, FakeFile file = {});

  std::unique_ptr<platform::ReadableFile> OpenForReading(const std::string& path) override;
  std::unique_ptr<platform::WritableFile> CreateForWriting(const std::string& path) override;
  std::unique_ptr<platform::WritableFile> CreateNew(
      const std::string& path, std::optional<std::uint32_t> permissions) override;
  std::unique_ptr<platform::WritableFile> OpenStream(const std::string& path) override;
  platform::PathFacts Inspect(const std::string& path) override;
  bool MakeFolder(const std::string& path) override;
  std::optional<std::vector<std::string>> ListFolder(const std::string& path) override;
  platform::Moved Move(const std::string& from, const std::string& to,
                       platform::Existing existing) override;
  bool Remove(const std::string& path) override;
  std::string LastFailure() const override { return kScriptedFailure; }
};

}  // namespace testing_support
