// How vk38 ends: every panel succeeded, one or more failed, a file given to
// it was refused before any panel was asked, or it was stopped (Ctrl-C,
// SIGTERM: 128 + SIGINT, as shells count). Usage errors end with CLI11's own
// codes, 100 and above.
#pragma once

namespace cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitPanelFailed = 1;
inline constexpr int kExitFileRefused = 2;
inline constexpr int kExitStopped = 130;

}  // namespace cli
