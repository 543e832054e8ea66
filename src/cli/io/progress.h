// A progress line on a terminal for long transfers: the bytes moved by all
// panels together, the rate and, when the total is known, the share done
// and the time left; once panels have their whole image, how long they
// have been writing their flash. Redrawn at most ten times a second, and
// always when the total is reached; silent when not on a terminal.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <optional>
#include <string>

namespace cli {

// "1.5 MiB  300.0 KiB/s", with a total "1.0 MiB  25%  1.0 MiB/s  0:03 left",
// and at the total "4.0 MiB  100%  1.0 MiB/s".
std::string ProgressText(std::uint64_t bytes, std::chrono::duration<double> elapsed,
                         std::optional<std::uint64_t> total);
// "the panel is writing its flash, 0:35 so far" (or "3 panels are writing
// their flash").
std::string FlashWriteText(int panels, std::chrono::duration<double> waited);

// Every member is safe from any thread.
class ProgressLine {
 public:
  ProgressLine(std::FILE* out, bool shown, std::optional<std::uint64_t> total = std::nullopt);
  ~ProgressLine();  // clears the line
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  // Adds bytes moved.
  void Add(std::uint64_t bytes);
  // A panel has all of its image and writes its flash until its verdict.
  void FlashWriteBegins();
  void FlashWriteEnds();
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
  int flashWriting_ = 0;
  Clock::time_point start_ = Clock::now();
  Clock::time_point flashSince_{};
  Clock::time_point drawn_{};
  bool drew_ = false;
  std::size_t width_ = 0;  // of the line last drawn
};

}  // namespace cli
