// Running one operation on many panels: at most `jobs` at once, each on a
// thread of its own, while the calling thread reports each outcome as its
// panel ends. A panel that fails or throws never stops the others (unless
// the stages say so: stages.h); a stop request lets no further panel start
// and ends those in flight.
#pragma once

#include <functional>
#include <vector>

#include "panels/panel_names.h"
#include "platform/stop_signal.h"
#include "run/panel_outcome.h"
#include "run/stages.h"

namespace cli {

using PanelTask = std::function<PanelOutcome(const Panel&)>;

// What the calling thread does while the panels are worked on.
struct FleetWatch {
  // Once raised, no further panel starts; a panel that then ends without
  // success, or never started, ends interrupted.
  const platform::StopSignal* stop = nullptr;
  // Each outcome, as its panel ends.
  std::function<void(const PanelOutcome&)> ended{};
  // Called a few times a second meanwhile.
  std::function<void()> tick{};
};

// The outcomes in the order of `panels`, each with its panel's address and
// name; the panels that `stages` kept from starting end Code::kNotStarted.
std::vector<PanelOutcome> RunFleet(const std::vector<Panel>& panels, int jobs,
                                   const PanelTask& task, const FleetWatch& watch = {},
                                   const FleetStages& stages = {});

}  // namespace cli
