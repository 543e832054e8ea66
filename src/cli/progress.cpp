#include "cli/progress.h"

#include <array>

#include <fmt/format.h>

namespace cli {

namespace {

std::string Size(double bytes) {
  constexpr std::array<const char*, 4> kUnits = {"B", "KiB", "MiB", "GiB"};
  std::size_t unit = 0;
  while (bytes >= 1024 && unit + 1 < kUnits.size()) {
    bytes /= 1024;
    ++unit;
  }
  return unit == 0 ? fmt::format("{:.0f} B", bytes) : fmt::format("{:.1f} {}", bytes, kUnits[unit]);
}

}  // namespace

std::string ProgressText(std::uint64_t bytes, std::chrono::duration<double> elapsed,
                         std::optional<std::uint64_t> total) {
  const double seconds = elapsed.count();
  const double rate = seconds > 0 ? static_cast<double>(bytes) / seconds : 0;
  std::string text = fmt::format("{}  {}/s", Size(static_cast<double>(bytes)), Size(rate));
  if (total && rate > 0) {
    const double remaining = *total > bytes ? static_cast<double>(*total - bytes) : 0;
    const auto left = static_cast<long long>(remaining / rate + 0.5);
    text += fmt::format("  {}:{:02} left", left / 60, left % 60);
  }
  return text;
}

ProgressLine::ProgressLine(std::FILE* out, bool shown, std::optional<std::uint64_t> total)
    : out_(out), shown_(shown), total_(total) {}

ProgressLine::~ProgressLine() { Clear(); }

void ProgressLine::Add(std::uint64_t bytes) {
  if (!shown_) return;
  const std::lock_guard<std::mutex> lock(mutex_);
  bytes_ += bytes;
  const Clock::time_point now = Clock::now();
  if (drew_ && now - drawn_ < std::chrono::milliseconds(100)) return;
  Draw(now);
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
  fmt::print(out_, "\r{:<40}\r", "");
  std::fflush(out_);
  drew_ = false;
}

void ProgressLine::Draw(Clock::time_point now) {
  drawn_ = now;
  drew_ = true;
  fmt::print(out_, "\r{:<40}", ProgressText(bytes_, now - start_, total_));
  std::fflush(out_);
}

}  // namespace cli
