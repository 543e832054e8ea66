#include "sim/log_source.h"

#include <algorithm>
#include <array>
#include <string>

namespace sim {

namespace {

// A log line, kLogLineSize bytes:
//   "00000001 000:00:07 192.168.0.9     C002 PRESET" padded with blanks, CR LF
// Only the numbers and the event change from line to line, so a line is
// written into a template instead of being formatted.
class LogLineWriter {
 public:
  explicit LogLineWriter(protocol::PanelAddress panel) {
    line_.fill(' ');
    const std::string address = protocol::AddressText(panel);
    std::copy(address.begin(), address.end(), line_.begin() + kAddressAt);
    line_[kHoursAt + 3] = ':';
    line_[kMinutesAt + 2] = ':';
    line_[kCameraAt - 1] = 'C';
    line_[kLogLineSize - 2] = '\r';
    line_[kLogLineSize - 1] = '\n';
  }

  const std::array<char, kLogLineSize>& Line(std::uint64_t n) {
    static constexpr std::array<std::string_view, 8> kEvents = {
        "SELECT", "PRESET", "ZOOM", "FOCUS", "IRIS", "POWER ON", "LINK UP", "LINK DOWN"};
    const std::uint64_t seconds = n * 7;
    Digits(kCounterAt, 8, n + 1);
    Digits(kHoursAt, 3, seconds / 3600);
    Digits(kMinutesAt, 2, seconds / 60 % 60);
    Digits(kSecondsAt, 2, seconds % 60);
    Digits(kCameraAt, 3, n % 100 + 1);
    const std::string_view event = kEvents[n % kEvents.size()];
    std::fill_n(line_.begin() + kEventAt, kEventWidth, ' ');
    std::copy(event.begin(), event.end(), line_.begin() + kEventAt);
    return line_;
  }

 private:
  static constexpr std::size_t kCounterAt = 0;
  static constexpr std::size_t kHoursAt = 9;
  static constexpr std::size_t kMinutesAt = 13;
  static constexpr std::size_t kSecondsAt = 16;
  static constexpr std::size_t kAddressAt = 19;
  static constexpr std::size_t kCameraAt = 36;
  static constexpr std::size_t kEventAt = 40;
  static constexpr std::size_t kEventWidth = 10;

  // The last `width` decimal digits of `value`, with leading zeros.
  void Digits(std::size_t at, std::size_t width, std::uint64_t value) {
    for (std::size_t i = width; i-- > 0; value /= 10)
      line_[at + i] = static_cast<char>('0' + value % 10);
  }

  std::array<char, kLogLineSize> line_;
};

}  // namespace

void FillLog(protocol::PanelAddress panel, std::uint64_t offset, std::span<std::uint8_t> out) {
  LogLineWriter writer(panel);
  std::size_t filled = 0;
  while (filled < out.size()) {
    const std::uint64_t at = offset + filled;
    const auto& line = writer.Line(at / kLogLineSize);
    const std::size_t from = static_cast<std::size_t>(at % kLogLineSize);
    const std::size_t count = std::min(kLogLineSize - from, out.size() - filled);
    std::copy_n(line.begin() + static_cast<std::ptrdiff_t>(from), count, out.begin() + filled);
    filled += count;
  }
}

}  // namespace sim
