// A progress line on a terminal for long transfers: the bytes moved by all
// panels together, the rate and, when the total is known, the time left.
// Redrawn at most ten times a second; silent when not on a terminal.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <optional>
#include <string>

namespace cli {

// "1.5 MiB  300.0 KiB/s  0:04 left" (the last part only with a total).
std::string ProgressText(std::uint64_t bytes, std::chrono::duration<double> elapsed,
                         std::optional<std::uint64_t> total);

// Every member is safe from any thread.
class ProgressLine {
 public:
  ProgressLine(std::FILE* out, bool shown, std::optional<std::uint64_t> total = std::nullopt);
  ~ProgressLine();  // clears the line
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  // Adds bytes moved.
  void Add(std::uint64_t bytes);
  // Draws the line again, once anything moved.
  void Redraw();
  // Erases the line, so that a line of text can take its place.
  void Clear();

 private:
  using Clock = std::chrono::steady_clock;
  void Draw(Clock::time_point now);
  std::FILE* out_;
  bool shown_;
  std::optional<std::uint64_t> total_;
  std::mutex mutex_;
  std::uint64_t bytes_ = 0;
  Clock::time_point start_ = Clock::now();
  Clock::time_point drawn_{};
  bool drew_ = false;
};

}  // namespace cli
