// The wait of the serving side on both systems: the system's poll, called in
// slices no longer than kStopCheckInterval, with the stop signal looked at
// between them.
#pragma once

#include <chrono>
#include <functional>

#include "platform/network.h"
#include "platform/stop_signal.h"

namespace platform {

// Polls for at most the given milliseconds: above 0 when ready (an error or
// a hang-up counts, for the next call to report), 0 when nothing happened,
// below 0 when the poll itself failed.
using PollSlice = std::function<int(int milliseconds)>;

// Ready when a slice is, stopped once `stop` is raised, timed out after
// `limit` (kUntilStopped: never). A failed poll counts as ready, so that
// the call that follows reports the error.
Readiness WaitInSlices(const StopSignal& stop, std::chrono::milliseconds limit,
                       const PollSlice& pollSlice);

}  // namespace platform
