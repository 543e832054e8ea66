// scan's progress line on a terminal: how many addresses were asked of how
// many, and how many panels were found ("scanned 120 of 254 addresses, 3
// panels found"). Used from the thread that watches the scan only.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdio>
#include <string>

namespace cli {

std::string ScanProgressText(std::size_t asked, std::size_t total, std::size_t found);

class ScanProgress {
 public:
  ScanProgress(std::FILE* out, bool shown, std::size_t total)
      : out_(out), shown_(shown), total_(total) {}
  ~ScanProgress() { Clear(); }
  ScanProgress(const ScanProgress&) = delete;
  ScanProgress& operator=(const ScanProgress&) = delete;

  // An address was asked, and answered as a panel or not.
  void Ended(bool found);
  // Draws the line again, at most ten times a second.
  void Redraw();
  // Erases the line, so that a line of text can take its place.
  void Clear();

 private:
  using Clock = std::chrono::steady_clock;

  std::FILE* out_;
  bool shown_;
  std::size_t total_;
  std::size_t asked_ = 0;
  std::size_t found_ = 0;
  Clock::time_point drawn_{};
  std::size_t width_ = 0;  // of the line on the terminal; 0: none
};

}  // namespace cli
