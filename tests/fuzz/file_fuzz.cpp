#include "file_fuzz.h"

namespace fuzz {

std::uint8_t ScriptFile(testing_support::FakeFileSystem& files, const std::string& path,
                        FuzzInput& input) {
  const std::uint8_t flags = input.Byte();
  testing_support::FakeFile file;
  if (flags & kReadFails) file.readFailsAfter = input.Size();
  if (flags & kWriteFails) file.writeFailsAfter = input.Size();
  file.closeFails = flags & kCloseFails;
  file.closed = true;  // nobody has it open
  file.content = input.Piece();
  files.files.erase(path);
  files.locked.erase(path);
  if (!(flags & kMissing)) files.Add(path, std::move(file));
  if (flags & kLocked) files.locked.insert(path);
  return flags;
}

}  // namespace fuzz
