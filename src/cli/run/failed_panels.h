// --failed FILE: the panels of a run that did not succeed, with their
// names, as an inventory that a rerun takes as @FILE; each line's comment
// tells how the panel ended. A run in which every panel succeeded leaves
// no such file: one left by an earlier run is removed.
#pragma once

#include <string>
#include <vector>

#include "platform/file_system.h"
#include "run/panel_outcome.h"

namespace cli {

// The inventory of the panels in `outcomes` that did not succeed, in the
// order of `outcomes`; empty when every one succeeded.
std::string FailedInventory(const std::vector<PanelOutcome>& outcomes);

// Writes the inventory to `path` whole (output_file.h), or removes the file
// at `path` when every panel succeeded. False, told on standard error, when
// that could not be done.
bool KeepFailedPanels(platform::FileSystem& files, const std::string& path,
                      const std::vector<PanelOutcome>& outcomes);

}  // namespace cli
