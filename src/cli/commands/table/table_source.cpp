#include "commands/table/table_source.h"

#include <variant>

#include <fmt/format.h>

#include "io/output_file.h"
#include "io/panel_files.h"
#include "io/whole_file.h"
#include "table_file/table_file.h"

namespace cli {

namespace {

// A table file is a few tens of kilobytes; far more is no table file.
constexpr std::size_t kTableFileLimit = 1024 * 1024;

// Why a table file was not taken: it could not be read, or it is no table
// file.
struct Refusal {
  std::string why;
  bool unread = false;
};

// The changes the table file at `path` asks, or why they cannot be had.
std::variant<std::vector<table_file::RowChange>, Refusal> ReadChanges(platform::FileSystem& files,
                                                                      const std::string& path) {
  const WholeFile text = ReadWholeFile(files, path, kTableFileLimit);
  if (text.failure) return Refusal{*text.failure, true};
  table_file::TableFileRead read = table_file::ReadTableFile(text.bytes);
  if (const table_file::TableFileError* error = std::get_if<table_file::TableFileError>(&read)) {
    return Refusal{fmt::format("{}: {}", path, table_file::ErrorText(*error))};
  }
  return std::get<std::vector<table_file::RowChange>>(std::move(read));
}

}  // namespace

std::optional<TableSource> TableSource::Open(platform::FileSystem& files, const std::string& path) {
  TableSource source(files, path);
  if (path != kStandardStream && files.Inspect(path).kind == platform::PathKind::kFolder) {
    source.folder_ = true;
    return source;
  }
  std::variant<std::vector<table_file::RowChange>, Refusal> read = ReadChanges(files, path);
  if (const Refusal* refused = std::get_if<Refusal>(&read)) {
    fmt::print(stderr, "vk38: {}{}\n", refused->why, refused->unread ? "; nothing was sent" : "");
    return std::nullopt;
  }
  source.changes_ = std::get<std::vector<table_file::RowChange>>(std::move(read));
  return source;
}

TableSource::ForPanel TableSource::For(const Panel& panel) const {
  if (!folder_) return {.changes = changes_, .file = path_};
  const PanelFile own = PanelTableFile(*files_, path_, panel);
  if (!own.missing.empty()) return {.failure = Failure(Code::kFile, "not written", own.missing)};
  std::variant<std::vector<table_file::RowChange>, Refusal> read = ReadChanges(*files_, own.path);
  if (const Refusal* refused = std::get_if<Refusal>(&read)) {
    return {.file = own.path,
            .failure = Failure(Code::kFile, "not written", refused->why, own.path)};
  }
  return {.changes = std::get<std::vector<table_file::RowChange>>(std::move(read)),
          .file = own.path};
}

}  // namespace cli
