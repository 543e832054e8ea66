#include "io/progress.h"

#include <algorithm>
#include <array>

#include <fmt/format.h>

namespace cli {

namespace {

constexpr std::chrono::milliseconds kRedrawInterval{100};

std::string Size(double bytes) {
  constexpr std::array<const char*, 4> kUnits = {"B", "KiB", "MiB", "GiB"};
  std::size_t unit = 0;
  while (bytes >= 1024 && unit + 1 < kUnits.size()) {
    bytes /= 1024;
    ++unit;
  }
  return unit == 0 ? fmt::format("{:.0f} B", bytes) : fmt::format("{:.1f} {}", bytes, kUnits[unit]);
}

std::string MinutesAndSeconds(long long seconds) {
  return fmt::format("{}:{:02}", seconds / 60, seconds % 60);
}

}  // namespace

std::string ProgressText(std::uint64_t bytes, std::chrono::duration<double> elapsed,
                         std::optional<std::uint64_t> total) {
  const double seconds = elapsed.count();
  const double rate = seconds > 0 ? static_cast<double>(bytes) / seconds : 0;
  std::string text = Size(static_cast<double>(bytes));
  if (total && *total > 0) {
    const std::uint64_t done = std::min(bytes, *total);
    text += fmt::format("  {}%", done * 100 / *total);
  }
  text += fmt::format("  {}/s", Size(rate));
  if (total && rate > 0 && bytes < *total) {
    const auto left = static_cast<long long>(static_cast<double>(*total - bytes) / rate + 0.5);
    text += fmt::format("  {} left", MinutesAndSeconds(left));
  }
  return text;
}

std::string FlashWriteText(int panels, std::chrono::duration<double> waited) {
  const std::string so = MinutesAndSeconds(static_cast<long long>(waited.count()));
  if (panels == 1) return fmt::format("the panel is writing its flash, {} so far", so);
  return fmt::format("{} panels are writing their flash, {} so far", panels, so);
}

ProgressLine::ProgressLine(std::FILE* out, bool shown, std::optional<std::uint64_t> total)
    : out_(out), shown_(shown), total_(total) {}

ProgressLine::~ProgressLine() { Clear(); }

void ProgressLine::Add(std::uint64_t bytes) {
  if (!shown_) return;
  const std::lock_guard<std::mutex> lock(mutex_);
  bytes_ += bytes;
  const Clock::time_point now = Clock::now();
  // The last figure is always shown, never one just before it.
  const bool complete = total_ && bytes_ >= *total_;
  if (!complete && drew_ && now - drawn_ < kRedrawInterval) return;
  Draw(now);
}

void ProgressLine::FlashWriteBegins() {
  if (!shown_) return;
  const std::lock_guard<std::mutex> lock(mutex_);
  if (flashWriting_++ == 0) flashSince_ = Clock::now();
  Draw(Clock::now());
}

void ProgressLine::FlashWriteEnds() {
  if (!shown_) return;
  const std::lock_guard<std::mutex> lock(mutex_);
  if (flashWriting_ > 0) --flashWriting_;
}

void ProgressLine::Redraw() {
  if (!shown_) return;
  const std::lock_guard<std::mutex> lock(mutex_);
  if (bytes_ > 0) Draw(Clock::now());
}

void ProgressLine::Clear() {
  if (!shown_) return;
  const std::lock_guard<std::mutex> lock(mutex_);
  if (!drew_) return;
  fmt::print(out_, "\r{:<{}}\r", "", width_);
  std::fflush(out_);
  drew_ = false;
}

void ProgressLine::Draw(Clock::time_point now) {
  std::string text = ProgressText(bytes_, now - start_, total_);
  if (flashWriting_ > 0) text += "  - " + FlashWriteText(flashWriting_, now - flashSince_);
  drawn_ = now;
  drew_ = true;
  // Padded over whatever a longer line left.
  fmt::print(out_, "\r{:<{}}", text, std::max(width_, text.size()));
  width_ = std::max(width_, text.size());
  std::fflush(out_);
}

}  // namespace cli
