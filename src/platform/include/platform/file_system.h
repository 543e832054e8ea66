// Files as the pages and vk38 need them: paths are UTF-8 text; reads and
// writes go in blocks. Opening for reading lets others read and write the
// file meanwhile; creating for writing truncates and lets others only read
// it. A file is given its final name in one step (Move), so that a reader
// never finds half of it there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

class ReadableFile {
 public:
  virtual ~ReadableFile() = default;  // closes the file
  // Reads up to `capacity` bytes; the count, 0 at the end, -1 on error.
  virtual std::ptrdiff_t Read(std::uint8_t* buffer, std::size_t capacity) = 0;
};

class WritableFile {
 public:
  virtual ~WritableFile() = default;  // closes the file if Close was not called
  // Writes all bytes; false on error.
  virtual bool Write(const std::uint8_t* data, std::size_t length) = 0;
  // Puts everything written so far on the disk itself, past the system's
  // caches; false when that failed.
  virtual bool Sync() = 0;
  // Flushes and closes; false when that failed. Later calls do nothing.
  virtual bool Close() = 0;
};

// What a move does when a file already has the new name.
enum class Existing { kReplace, kKeep };
enum class Moved { kDone, kTargetExists, kFailed };

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Nothing when the file cannot be opened.
  virtual std::unique_ptr<ReadableFile> OpenForReading(const std::string& path) = 0;
  virtual std::unique_ptr<WritableFile> CreateForWriting(const std::string& path) = 0;
  // Gives the closed file `from` the name `to` (in the same folder) in one
  // step, written through to the disk. A file named `to` is replaced
  // (kReplace) or left as it is (kKeep: kTargetExists, `from` stays).
  virtual Moved Move(const std::string& from, const std::string& to, Existing existing) = 0;
  // Removes the file; false when it could not be removed.
  virtual bool Remove(const std::string& path) = 0;
  // Why the last call of this thread that failed (on the file system or on
  // a file it opened) failed, in the system's words; empty before any.
  virtual std::string LastFailure() const = 0;
};

}  // namespace platform
