#include "commands/scan/scan_progress.h"

#include <algorithm>

#include <fmt/format.h>

namespace cli {

namespace {

constexpr std::chrono::milliseconds kRedrawInterval{100};

}  // namespace

std::string ScanProgressText(std::size_t asked, std::size_t total, std::size_t found) {
  return fmt::format("scanned {} of {} address{}, {} panel{} found", asked, total,
                     total == 1 ? "" : "es", found, found == 1 ? "" : "s");
}

void ScanProgress::Ended(bool found) {
  ++asked_;
  if (found) ++found_;
  Redraw();
}

void ScanProgress::Redraw() {
  if (!shown_) return;
  const Clock::time_point now = Clock::now();
  if (width_ > 0 && now - drawn_ < kRedrawInterval && asked_ < total_) return;
  const std::string text = ScanProgressText(asked_, total_, found_);
  // Padded over the longer line drawn before it.
  fmt::print(out_, "\r{:<{}}", text, width_);
  std::fflush(out_);
  width_ = std::max(width_, text.size());
  drawn_ = now;
}

void ScanProgress::Clear() {
  if (!shown_ || width_ == 0) return;
  fmt::print(out_, "\r{:<{}}\r", "", width_);
  std::fflush(out_);
  width_ = 0;
}

}  // namespace cli
