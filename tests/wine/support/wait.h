// Waiting with a deadline. Every wait of the driver ends, so a program that
// hangs fails its test instead of blocking the run.
#pragma once

#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>

namespace wine_driver {

using Duration = std::chrono::milliseconds;

// How long an action may take before it counts as hung. Wine on a busy CI
// machine can take seconds for what Windows does at once.
inline constexpr Duration kTimeout{15000};
// How long the program may take to show its main window (a new Wine prefix
// is slow the first time).
inline constexpr Duration kStartTimeout{90000};
// How long to wait before concluding that something did not happen.
inline constexpr Duration kSettle{400};

// What the driver throws when the program does not behave: GoogleTest
// reports it as a failure of the running test.
class DriverError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Polls `probe` until it returns something true and returns that; throws
// DriverError naming `what` when `timeout` passes first.
template <class Probe>
auto WaitFor(Probe probe, const std::string& what, Duration timeout = kTimeout)
    -> decltype(probe()) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (auto value = probe()) return value;
    if (std::chrono::steady_clock::now() >= deadline) {
      throw DriverError("timed out after " + std::to_string(timeout.count()) + " ms waiting for " +
                        what);
    }
    std::this_thread::sleep_for(Duration{20});
  }
}

}  // namespace wine_driver
