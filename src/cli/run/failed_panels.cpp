#include "run/failed_panels.h"

#include <fmt/format.h>

#include "io/output_file.h"
#include "panels/inventory.h"

namespace cli {

namespace {

std::string Comment(const PanelOutcome& outcome) {
  std::string comment = fmt::format("{}: {}", CodeName(outcome.code), outcome.message);
  if (!outcome.cause.empty()) comment += " - " + outcome.cause;
  return comment;
}

}  // namespace

std::string FailedInventory(const std::vector<PanelOutcome>& outcomes) {
  std::string text;
  for (const PanelOutcome& outcome : outcomes) {
    if (!outcome.Ok()) text += InventoryLine({outcome.panel, outcome.name}, Comment(outcome));
  }
  return text;
}

bool KeepFailedPanels(platform::FileSystem& files, const std::string& path,
                      const std::vector<PanelOutcome>& outcomes) {
  const std::string inventory = FailedInventory(outcomes);
  if (inventory.empty()) {
    // Only a file is removed: a folder or a device given by mistake stays.
    const platform::PathKind kind = files.Inspect(path).kind;
    if (kind == platform::PathKind::kNothing || kind == platform::PathKind::kStream) return true;
    if (kind == platform::PathKind::kFile && files.Remove(path)) return true;
    fmt::print(stderr, "vk38: every panel succeeded, but {} (--failed) could not be removed: {}\n",
               path, kind == platform::PathKind::kFolder ? "it is a folder" : files.LastFailure());
    return false;
  }
  const Saved saved = SaveWhole(files, path, Naming::kReplace, BytesOf(inventory));
  if (!saved.failure) return true;
  fmt::print(stderr, "vk38: the panels that did not succeed could not be listed in {}: {}\n", path,
             *saved.failure);
  return false;
}

}  // namespace cli
