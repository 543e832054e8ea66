// Files as the pages need them: paths are UTF-8 text; reads and writes go in
// blocks. Opening for reading lets others read and write the file meanwhile;
// creating for writing truncates and lets others only read it.
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
  // Flushes and closes; false when that failed. Later calls do nothing.
  virtual bool Close() = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Nothing when the file cannot be opened.
  virtual std::unique_ptr<ReadableFile> OpenForReading(const std::string& path) = 0;
  virtual std::unique_ptr<WritableFile> CreateForWriting(const std::string& path) = 0;
};

}  // namespace platform
