#include "cli/file_io.h"

#include <chrono>
#include <ctime>
#include <filesystem>
#include <system_error>

#include <fmt/chrono.h>
#include <fmt/format.h>

namespace cli {

namespace {

std::filesystem::path NativePath(const std::string& path) {
  return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

}  // namespace

std::optional<std::string> ReadWholeFile(platform::FileSystem& files, const std::string& path,
                                         std::size_t limit) {
  const std::unique_ptr<platform::ReadableFile> file = files.OpenForReading(path);
  if (!file) return std::nullopt;
  std::string text;
  std::uint8_t buffer[4096];
  for (;;) {
    const std::ptrdiff_t read = file->Read(buffer, sizeof buffer);
    if (read < 0) return std::nullopt;
    if (read == 0) return text;
    text.append(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(read));
    if (text.size() > limit) return std::nullopt;
  }
}

std::optional<std::string> WriteWholeFile(platform::FileSystem& files, const std::string& path,
                                          std::span<const std::uint8_t> bytes) {
  const std::unique_ptr<platform::WritableFile> file = files.CreateForWriting(path);
  if (!file) return "File open error";
  const bool written = file->Write(bytes.data(), bytes.size());
  if (!file->Close() || !written) return "File write error";
  return std::nullopt;
}

bool IsFolder(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_directory(NativePath(path), error);
}

bool MakeFolder(const std::string& path) {
  std::error_code error;
  std::filesystem::create_directories(NativePath(path), error);
  return IsFolder(path);
}

bool PrepareFolder(const std::string& folder) {
  if (MakeFolder(folder)) return true;
  fmt::print(stderr, "vk38: the folder {} cannot be made\n", folder);
  return false;
}

std::string PanelFilePath(const std::string& folder, PanelAddress panel, std::string_view suffix) {
  std::string path = folder;
  if (!path.empty() && path.back() != '/' && path.back() != '\\') path += '/';
  return path + AddressText(panel) + std::string(suffix);
}

std::string TimeStamp() {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  return fmt::format("_{:%Y%m%d-%H%M%S}", fmt::localtime(now));
}

}  // namespace cli
