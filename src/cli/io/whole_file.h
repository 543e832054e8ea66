// Whole files read through the platform's file system ("-": standard
// input): table files, images, inventories, setup blocks.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "platform/file_system.h"

namespace cli {

// A file read whole: its bytes, or why it could not be read.
struct WholeFile {
  std::string bytes;
  std::optional<std::string> failure;  // "cannot read a.csv: No such file or directory"
};

// The bytes of the file at `path` ("-": standard input); a failure when it
// cannot be opened or read, or holds more than `limit` bytes.
WholeFile ReadWholeFile(platform::FileSystem& files, const std::string& path, std::size_t limit);

}  // namespace cli
