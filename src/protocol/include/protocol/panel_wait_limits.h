// How long an exchange waits for a panel. A panel that accepts and then
// never answers, or a cable pulled in the middle of a transfer where no
// reset ever arrives, would otherwise hold the program for good.
#pragma once

#include <chrono>

namespace protocol {

// One wait without progress (no connection made, no byte sent or received)
// ends as a failure of that call after this long.
inline constexpr std::chrono::milliseconds kPanelProgressLimit = std::chrono::seconds(30);
// The reply lines after a firmware image: the panel writes its flash before
// it answers, and giving up early would report a good upgrade as failed.
inline constexpr std::chrono::milliseconds kPanelFlashWriteLimit = std::chrono::minutes(10);

struct PanelWaitLimits {
  std::chrono::milliseconds progress = kPanelProgressLimit;
  std::chrono::milliseconds flashWrite = kPanelFlashWriteLimit;
};

}  // namespace protocol
