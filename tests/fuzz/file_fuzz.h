// Files as the fuzzer chooses them for the pages that read and write them:
// content, a read that fails part-way, a file that cannot be created, a
// write or close that fails.
#pragma once

#include <string>

#include "fuzz_input.h"
#include "support/fake_file_system.h"

namespace fuzz {

enum FileFlags : std::uint8_t {
  kReadFails = 0x01,   // followed by a size: the bytes read before it fails
  kLocked = 0x02,      // cannot be created
  kWriteFails = 0x04,  // followed by a size: the bytes taken before writes fail
  kCloseFails = 0x08,
  kMissing = 0x10,  // does not exist for reading
};

// Puts a file at `path` as the input describes: flags, [sizes], content.
// The flags are returned.
std::uint8_t ScriptFile(testing_support::FakeFileSystem& files, const std::string& path,
                        FuzzInput& input);

}  // namespace fuzz
