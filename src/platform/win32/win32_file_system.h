// Files through CreateFileW; UTF-8 paths are converted to UTF-16 so that any
// path the file dialogs return can be opened.
#pragma once

#include "platform/file_system.h"

namespace platform::win32 {

class Win32FileSystem : public FileSystem {
 public:
  // Others may go on reading and writing the file while it is read.
  std::unique_ptr<ReadableFile> OpenForReading(const std::string& path) override;
  std::unique_ptr<MappedFile> MapForReading(const std::string& path) override;
  // Creates or truncates; others may only read it until it is closed.
  std::unique_ptr<WritableFile> CreateForWriting(const std::string& path) override;
  // CREATE_NEW: never over a file or a link; permissions are the folder's.
  std::unique_ptr<WritableFile> CreateNew(const std::string& path,
                                          std::optional<std::uint32_t> permissions) override;
  std::unique_ptr<WritableFile> OpenStream(const std::string& path) override;
  // The system's device names (NUL, CON, COM1, ..., \\.\...) and anything
  // that is no disk file (GetFileType) are streams.
  PathFacts Inspect(const std::string& path) override;
  bool MakeFolder(const std::string& path) override;
  std::optional<std::vector<std::string>> ListFolder(const std::string& path) override;
  // MoveFileExW, written through, replacing only with kReplace.
  Moved Move(const std::string& from, const std::string& to, Existing existing) override;
  bool Remove(const std::string& path) override;
  // The system's message for the error code (FormatMessageW).
  std::string LastFailure() const override;
};

}  // namespace platform::win32
