#include "io/whole_file.h"

#include <cerrno>
#include <cstdio>
#include <system_error>

#include <fmt/format.h>

#include "io/output_file.h"

namespace cli {

namespace {

// The pieces `read` gives until the end, or until more than `limit` bytes
// came; `reason` tells why a read failed.
template <typename ReadPiece, typename Reason>
WholeFile ReadToEnd(const std::string& name, std::size_t limit, ReadPiece read, Reason reason) {
  WholeFile file;
  char buffer[4096];
  for (;;) {
    const std::optional<std::size_t> got = read(buffer, sizeof buffer);
    if (!got) {
      file.failure = fmt::format("cannot read {}: {}", name, reason());
      return file;
    }
    if (*got == 0) return file;
    file.bytes.append(buffer, *got);
    if (file.bytes.size() > limit) {
      file.failure = fmt::format("{} is larger than {} bytes", name, limit);
      return file;
    }
  }
}

WholeFile ReadStandardInput(std::size_t limit) {
  return ReadToEnd(
      "standard input", limit,
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
      path, limit,
      [&](char* buffer, std::size_t size) -> std::optional<std::size_t> {
        const std::ptrdiff_t got = file->Read(reinterpret_cast<std::uint8_t*>(buffer), size);
        if (got < 0) return std::nullopt;
        return static_cast<std::size_t>(got);
      },
      [&] { return files.LastFailure(); });
}

}  // namespace cli
