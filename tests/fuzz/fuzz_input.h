// The fuzzer's bytes read as a sequence of choices: single bytes, sizes and
// length-prefixed pieces, taken from the front. An exhausted input reads as
// zeros and empty pieces, so every input is a complete run. SeedWriter
// writes the same form, so that seeds can be made from valid exchanges.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace fuzz {

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  bool Empty() const { return offset_ >= size_; }

  std::uint8_t Byte() { return Empty() ? 0 : data_[offset_++]; }

  // A number 0 to 65535 from two bytes, high byte first.
  std::size_t Size() {
    const std::size_t high = Byte();
    return high << 8 | Byte();
  }

  // A piece: its size, then that many bytes (fewer where the input ends).
  std::string Piece() {
    const std::size_t count = std::min(Size(), size_ - std::min(offset_, size_));
    std::string piece(reinterpret_cast<const char*>(data_ + offset_), count);
    offset_ += count;
    return piece;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t offset_ = 0;
};

class SeedWriter {
 public:
  SeedWriter& Byte(std::uint8_t value) {
    bytes_.push_back(static_cast<char>(value));
    return *this;
  }
  SeedWriter& Size(std::size_t value) {
    return Byte(static_cast<std::uint8_t>(value >> 8)).Byte(static_cast<std::uint8_t>(value));
  }
  SeedWriter& Piece(std::string_view piece) {
    Size(piece.size());
    bytes_.append(piece);
    return *this;
  }
  const std::string& Bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

}  // namespace fuzz
