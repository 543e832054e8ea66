// One try at one panel, as a command's work sees it.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <utility>

#include "panels/panel_names.h"
#include "protocol/panel_link.h"
#include "run/panel_outcome.h"
#include "run/run_context.h"

namespace cli {

// One try at one panel: the panel, and a link of its own to the panel's
// address, whose sessions end by the panel's `deadline` (--max-time), and
// tell `observer` their steps.
struct PanelTarget {
  PanelTarget(const RunContext& context, Panel panel, protocol::SessionObserver* observer = nullptr,
              std::optional<std::chrono::steady_clock::time_point> deadline = std::nullopt)
      : panel(std::move(panel)),
        link{context.machine.Network(), this->panel.address, context.waits, observer} {
    link.waits.deadline = deadline;
  }
  PanelTarget(const PanelTarget&) = delete;
  PanelTarget& operator=(const PanelTarget&) = delete;

  Panel panel;
  protocol::PanelLink link;
};

// A command's work on one panel, through the panel's target.
using TargetTask = std::function<PanelOutcome(PanelTarget& target)>;

}  // namespace cli
