#include "platform/stop_watch.h"

#include <chrono>
#include <cstdlib>

namespace platform {

namespace {

// How long the watcher waits before it looks whether it is to end.
constexpr std::chrono::milliseconds kWatchSlice{100};

}  // namespace

StopWatch::StopWatch(int exitCode) : exitCode_(exitCode), watcher_([this] { Watch(); }) {}

StopWatch::~StopWatch() {
  ending_ = true;
  watcher_.join();
}

void StopWatch::Watch() {
  while (!ending_) {
    if (!requests_.WaitFor(kWatchSlice)) continue;
    // A second request does not wait for the panels in flight.
    if (stop_.Triggered()) std::_Exit(exitCode_);
    stop_.Trigger();
  }
}

}  // namespace platform
