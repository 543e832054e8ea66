#include "platform/stop_watch.h"

#include <cstdlib>

namespace platform {

StopWatch::StopWatch(int exitCode) : exitCode_(exitCode), watcher_([this] { Watch(); }) {}

StopWatch::~StopWatch() {
  ending_ = true;
  requests_.Release(watcher_);
  watcher_.join();
}

void StopWatch::Watch() {
  for (;;) {
    requests_.Wait();
    if (ending_) return;
    // A second request does not wait for the panels in flight.
    if (stop_.Triggered()) std::_Exit(exitCode_);
    stop_.Trigger();
  }
}

}  // namespace platform
