#include "io/whole_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <system_error>

#include <fmt/format.h>

#include "io/output_file.h"

namespace cli {

namespace {

// The pieces `read` gives until the end, or until more than `limit` bytes
// came; `reason` tells why a read failed. Each piece is read straight into
// the string's unused room: first the size the file says it has and one
// byte more (to see its end), or 64 KiB for a stream; then twice what came.
// A 64 MiB image on the disk so takes one allocation and a few reads, where
// each read and each growth costs calls into the system on Windows.
template <typename ReadPiece, typename Reason>
WholeFile ReadToEnd(const std::string& name, std::size_t limit, std::optional<std::uint64_t> size,
                    ReadPiece read, Reason reason) {
  constexpr std::size_t kStreamPiece = 64 * 1024;
  WholeFile file;
  file.bytes.resize((size ? static_cast<std::size_t>(std::min<std::uint64_t>(*size, limit))
                          : std::min(kStreamPiece, limit)) +
                    1);
  std::size_t filled = 0;
  for (;;) {
    if (filled == file.bytes.size()) {
      // One byte past the limit is enough to tell that the file is larger.
      file.bytes.resize(std::min(2 * filled, limit + 1));
    }
    const std::optional<std::size_t> got =
        read(file.bytes.data() + filled, file.bytes.size() - filled);
    if (!got) {
      file.bytes.clear();
      file.failure = fmt::format("cannot read {}: {}", name, reason());
      return file;
    }
    filled += *got;
    if (filled > limit) {
      file.bytes.clear();
      file.failure = fmt::format("{} is larger than {} bytes", name, limit);
      return file;
    }
    if (*got == 0) {
      file.bytes.resize(filled);
      return file;
    }
  }
}

WholeFile ReadStandardInput(std::size_t limit) {
  return ReadToEnd(
      "standard input", limit, std::nullopt,
      [](char* buffer, std::size_t size) {
        const std::size_t got = std::fread(buffer, 1, size, stdin);
        return std::ferror(stdin) ? std::nullopt : std::optional<std::size_t>(got);
      },
      [] { return std::generic_category().message(errno); });
}

}  // namespace

WholeFile ReadWholeFile(platform::FileSystem& files, const std::string& path, std::size_t limit) {
  if (path == kStandardStream) return ReadStandardInput(limit);
  const std::unique_ptr<platform::ReadableFile> file = files.OpenForReading(path);
  if (!file) {
    return {.bytes = {}, .failure = fmt::format("cannot open {}: {}", path, files.LastFailure())};
  }
  return ReadToEnd(
      path, limit, file->SizeHint(),
      [&](char* buffer, std::size_t size) -> std::optional<std::size_t> {
        const std::ptrdiff_t got = file->Read(reinterpret_cast<std::uint8_t*>(buffer), size);
        if (got < 0) return std::nullopt;
        return static_cast<std::size_t>(got);
      },
      [&] { return files.LastFailure(); });
}

}  // namespace cli
