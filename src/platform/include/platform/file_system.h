// Files as the pages and vk38 need them: paths are UTF-8 text; reads and
// writes go in blocks. Opening for reading lets others read and write the
// file meanwhile; creating for writing truncates and lets others only read
// it. A file is given its final name in one step (Move), so that a reader
// never finds half of it there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace platform {

class ReadableFile {
 public:
  virtual ~ReadableFile() = default;  // closes the file
  // Reads up to `capacity` bytes; the count, 0 at the end, -1 on error.
  virtual std::ptrdiff_t Read(std::uint8_t* buffer, std::size_t capacity) = 0;
  // The file's size when it was opened, where it has one (a file on the
  // disk); none for a stream. A hint for the room to read it into: the file
  // may still grow or shrink.
  virtual std::optional<std::uint64_t> SizeHint() const { return std::nullopt; }
};

// A file's bytes held in memory, read-only, for as long as this lives.
class MappedFile {
 public:
  virtual ~MappedFile() = default;  // unmaps the bytes and closes the file
  virtual std::span<const std::uint8_t> Bytes() const = 0;
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

// What a path names, for a program that must not replace what is not a
// plain file.
enum class PathKind {
  kNothing,  // no file or folder (a link that leads nowhere counts as none)
  kFile,     // a regular file, or a link that leads to one
  kFolder,   // a folder, or a link that leads to one
  // A device, pipe or socket, a link to one, or one of the system's names
  // for a stream (/dev/..., /proc/self/fd/N; NUL or CON on Windows): it is
  // written into as it stands, never replaced.
  kStream,
};

struct PathFacts {
  PathKind kind = PathKind::kNothing;
  // kFile: the regular file itself, where a link leads to it (a new file
  // takes that place, so the link stays a link).
  std::string file{};
  // kFile: its permission bits, where the system has them.
  std::optional<std::uint32_t> permissions{};
};

// What a move does when a file already has the new name.
enum class Existing { kReplace, kKeep };
enum class Moved { kDone, kTargetExists, kFailed };

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Nothing when the file cannot be opened.
  virtual std::unique_ptr<ReadableFile> OpenForReading(const std::string& path) = 0;
  // The bytes of the file at `path` mapped into memory, where the system
  // maps files: the system reads them as they are used, and nobody can write
  // the file while it is mapped. Nothing where the file cannot be mapped
  // (it is empty, a stream, or the system maps no files): read it instead,
  // which also tells why a file cannot be read.
  virtual std::unique_ptr<MappedFile> MapForReading(const std::string& /*path*/) { return nullptr; }
  virtual std::unique_ptr<WritableFile> CreateForWriting(const std::string& path) = 0;
  // Creates a file where no file, folder or link has the name (nothing
  // otherwise), with `permissions` where given and the system has them,
  // for temporary files that nothing else may have prepared.
  virtual std::unique_ptr<WritableFile> CreateNew(const std::string& path,
                                                  std::optional<std::uint32_t> permissions) = 0;
  // Opens an existing stream (PathKind::kStream) for writing into it:
  // nothing is created or cut. Sync does nothing on it.
  virtual std::unique_ptr<WritableFile> OpenStream(const std::string& path) = 0;
  virtual PathFacts Inspect(const std::string& path) = 0;
  // Makes the folder and the folders above it that are missing; false when
  // it is not a folder afterwards.
  virtual bool MakeFolder(const std::string& path) = 0;
  // The names of what the folder holds (not "." or ".."), in no order;
  // nothing when it cannot be read.
  virtual std::optional<std::vector<std::string>> ListFolder(const std::string& path) = 0;
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
