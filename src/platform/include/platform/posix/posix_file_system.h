// Files through POSIX descriptors, for native builds and tests.
#pragma once

#include "platform/file_system.h"

namespace platform {

class PosixFileSystem : public FileSystem {
 public:
  std::unique_ptr<ReadableFile> OpenForReading(const std::string& path) override;
  std::unique_ptr<WritableFile> CreateForWriting(const std::string& path) override;
  // O_CREAT | O_EXCL | O_NOFOLLOW.
  std::unique_ptr<WritableFile> CreateNew(const std::string& path,
                                          std::optional<std::uint32_t> permissions) override;
  std::unique_ptr<WritableFile> OpenStream(const std::string& path) override;
  // Anything below /dev or /proc, however reached through links, is a stream.
  PathFacts Inspect(const std::string& path) override;
  bool MakeFolder(const std::string& path) override;
  std::optional<std::vector<std::string>> ListFolder(const std::string& path) override;
  // rename() replacing; renameat2() with RENAME_NOREPLACE (or a hard link
  // where the file system lacks it) keeping. The folder is synced after.
  Moved Move(const std::string& from, const std::string& to, Existing existing) override;
  bool Remove(const std::string& path) override;
  std::string LastFailure() const override;
};

}  // namespace platform
