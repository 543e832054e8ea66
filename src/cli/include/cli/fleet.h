// Running one operation on many panels: at most `jobs` at once, each on a
// thread of its own; a panel that fails or throws never stops the others.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "protocol/panel_address.h"

namespace cli {

// How the operation went on one panel.
struct PanelOutcome {
  PanelAddress panel = 0;
  bool ok = false;
  std::string message{};                 // the page's text for the ending
  std::string file{};                    // the file written or sent, when there is one
  std::optional<std::uint64_t> bytes{};  // the bytes moved, when counted
};

using PanelTask = std::function<PanelOutcome(PanelAddress)>;

// The outcomes in the order of `panels`.
std::vector<PanelOutcome> RunFleet(const std::vector<PanelAddress>& panels, int jobs,
                                   const PanelTask& task);

}  // namespace cli
