#include "commands/upgrade/firmware_image.h"

#include <algorithm>
#include <cstring>

#include <fmt/format.h>

#include "table_file/utf8.h"

namespace cli {

namespace {

// How much of an image's start is looked at to tell text.
constexpr std::size_t kTextSample = 64 * 1024;
// The longest UTF-8 sequence, which the sample may cut at its end.
constexpr std::size_t kLongestSequence = 4;

bool IsTextCharacter(char32_t c) {
  return !table_file::IsControl(c) || c == '\t' || c == '\r' || c == '\n';
}

bool LooksLikeText(std::string_view bytes) {
  const bool sampled = bytes.size() > kTextSample;
  std::string_view rest = bytes.substr(0, kTextSample);
  while (!rest.empty()) {
    const std::optional<table_file::CodePoint> c = table_file::FirstCodePoint(rest);
    if (!c) return sampled && rest.size() < kLongestSequence;
    if (!IsTextCharacter(c->value)) return false;
    rest.remove_prefix(c->length);
  }
  return true;
}

}  // namespace

std::optional<std::string> ImageFault(std::string_view bytes) {
  if (bytes.empty()) return "is empty";
  if (bytes.size() > kLargestImage) {
    return fmt::format("is larger than any image of the panel ({} bytes)", kLargestImage);
  }
  if (LooksLikeText(bytes)) return "is text, not an image";
  return std::nullopt;
}

}  // namespace cli
