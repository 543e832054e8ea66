#include "io/file_io.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <system_error>

#include <fmt/chrono.h>
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

Destination DestinationOf(platform::FileSystem& files, const std::string& output,
                          std::size_t panelCount, bool filesTaken) {
  if (output == kStandardStream) return Destination::kStream;
  const bool endsInSeparator = output.ends_with('/') || output.ends_with('\\');
  switch (files.Inspect(output).kind) {
    case platform::PathKind::kStream:
      if (!endsInSeparator) return Destination::kStream;
      break;
    case platform::PathKind::kFolder:
      return Destination::kFolder;
    case platform::PathKind::kFile:
    case platform::PathKind::kNothing:
      break;
  }
  const bool oneFile = filesTaken && panelCount == 1 && !endsInSeparator;
  return oneFile ? Destination::kFile : Destination::kFolder;
}

bool PrepareFolder(platform::FileSystem& files, const std::string& folder) {
  if (files.MakeFolder(folder)) return true;
  fmt::print(stderr, "vk38: the folder {} cannot be made: {}; no panel was contacted\n", folder,
             files.LastFailure());
  return false;
}

std::string PanelFilePath(const std::string& folder, const Panel& panel, std::string_view suffix) {
  std::string path = folder;
  // A folder written with backslashes (a Windows path) goes on with one.
  const char separator =
      folder.find('/') == std::string::npos && folder.find('\\') != std::string::npos ? '\\' : '/';
  if (!path.empty() && path.back() != '/' && path.back() != '\\') path += separator;
  path += protocol::AddressText(panel.address);
  if (!panel.name.empty()) path += "_" + panel.name;
  return path + std::string(suffix);
}

std::string TimeStamp() {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  return fmt::format("_{:%Y%m%d-%H%M%S}", fmt::localtime(now));
}

}  // namespace cli
