// Files through POSIX descriptors, for native builds and tests.
#pragma once

#include "platform/file_system.h"

namespace platform {

class PosixFileSystem : public FileSystem {
 public:
  std::unique_ptr<ReadableFile> OpenForReading(const std::string& path) override;
  std::unique_ptr<WritableFile> CreateForWriting(const std::string& path) override;
};

}  // namespace platform
