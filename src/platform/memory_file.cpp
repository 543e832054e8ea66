#include "platform/memory_file.h"

#include <algorithm>
#include <cstring>

namespace platform {

namespace {

class MemoryReader : public ReadableFile {
 public:
  explicit MemoryReader(std::span<const std::uint8_t> bytes) : rest_(bytes) {}

  std::ptrdiff_t Read(std::uint8_t* buffer, std::size_t capacity) override {
    const std::size_t count = std::min(capacity, rest_.size());
    if (count > 0) std::memcpy(buffer, rest_.data(), count);
    rest_ = rest_.subspan(count);
    return static_cast<std::ptrdiff_t>(count);
  }

 private:
  std::span<const std::uint8_t> rest_;
};

}  // namespace

std::unique_ptr<ReadableFile> ReaderOf(std::span<const std::uint8_t> bytes) {
  return std::make_unique<MemoryReader>(bytes);
}

}  // namespace platform
