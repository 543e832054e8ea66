// How long an exchange waits for a panel. A panel that accepts and then
// never answers, or a cable pulled in the middle of a transfer where no
// reset ever arrives, would otherwise hold the program for good.
#pragma once

#include <chrono>
#include <optional>

namespace protocol {

// One wait without progress (no connection made, no byte sent or received)
// ends as a failure of that call after this long.
inline constexpr std::chrono::milliseconds kPanelProgressLimit = std::chrono::seconds(30);
// The reply lines after a firmware image: the panel writes its flash before
// it answers, and giving up early would report a good upgrade as failed.
inline constexpr std::chrono::milliseconds kPanelFlashWriteLimit = std::chrono::minutes(10);

// What a session moves: command lines, reply lines and blocks of at most
// kPanelBlockSize, whose session the exchange limit bounds; or a log or an
// image, as long as it is, which only the deadline bounds.
enum class SessionExtent { kRecords, kStream };

struct PanelWaitLimits {
  std::chrono::milliseconds progress = kPanelProgressLimit;
  std::chrono::milliseconds flashWrite = kPanelFlashWriteLimit;
  // The longest a session of command lines, reply lines and blocks (no log,
  // no image) may take in all, however steadily the panel trickles its
  // bytes; none: no bound but the progress limit (the program's pages).
  std::optional<std::chrono::milliseconds> exchange{};
  // When every session must be over, whatever it moves (vk38's --max-time
  // for all of one panel's work); none: no such time.
  std::optional<std::chrono::steady_clock::time_point> deadline{};
};

}  // namespace protocol
