#include "sim/control_words.h"

#include <charconv>
#include <map>

#include "sim/hex.h"

namespace sim {

Words SplitWords(std::string_view line) {
  Words words;
  std::size_t at = 0;
  while (at < line.size()) {
    const std::size_t start = line.find_first_not_of(" \t", at);
    if (start == std::string_view::npos) break;
    const std::size_t end = std::min(line.find_first_of(" \t", start), line.size());
    words.push_back(line.substr(start, end - start));
    at = end;
  }
  return words;
}

std::optional<std::uint64_t> ParseNumber(std::string_view text) {
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

std::optional<std::vector<std::size_t>> ParseSizes(std::string_view text) {
  std::vector<std::size_t> sizes;
  for (std::size_t at = 0; at <= text.size();) {
    const std::size_t comma = std::min(text.find(',', at), text.size());
    const auto size = ParseNumber(text.substr(at, comma - at));
    if (!size || *size == 0) return std::nullopt;
    sizes.push_back(static_cast<std::size_t>(*size));
    at = comma + 1;
  }
  return sizes;
}

std::optional<FaultWords> SplitFaultWords(const Words& words, std::string& error) {
  static const std::map<std::string_view, std::size_t> kWordCounts = {
      {"none", 1},     {"close", 1},  {"wrong", 1},        {"badsum", 1},      {"file-ng", 1},
      {"write-ng", 1}, {"pieces", 2}, {"delay", 2},        {"reset-after", 2}, {"oversize", 2},
      {"reply", 2},    {"silent", 1}, {"silent-after", 2}, {"keep-old", 1},    {"trickle", 2},
  };
  if (words.empty()) {
    error = "fault missing";
    return std::nullopt;
  }
  const auto count = kWordCounts.find(words[0]);
  if (count == kWordCounts.end()) {
    error = "unknown fault " + std::string(words[0]);
    return std::nullopt;
  }
  if (words.size() <= count->second) {
    error = "command line missing";
    return std::nullopt;
  }
  const auto split = words.begin() + static_cast<std::ptrdiff_t>(count->second);
  return FaultWords{Words(words.begin(), split), Words(split, words.end())};
}

bool ApplyFaultWords(const Words& words, Fault& fault, std::string& error) {
  const std::string_view name = words.at(0);
  const std::string_view argument = words.size() > 1 ? words[1] : std::string_view();
  const std::optional<std::uint64_t> number = ParseNumber(argument);
  bool understood = true;
  if (name == "none") {
    fault = Fault{};
  } else if (name == "close") {
    fault.closeAtOnce = true;
  } else if (name == "wrong") {
    fault.wrongReply = true;
  } else if (name == "badsum") {
    fault.badChecksum = true;
  } else if (name == "file-ng") {
    fault.fileNg = true;
  } else if (name == "write-ng") {
    fault.writeNg = true;
  } else if (name == "keep-old") {
    fault.keepOld = true;
  } else if (name == "pieces") {
    const auto sizes = ParseSizes(argument);
    if ((understood = sizes.has_value())) fault.pieces = *sizes;
  } else if (name == "trickle") {
    if ((understood = number.has_value())) fault.trickle = std::chrono::milliseconds(*number);
  } else if (name == "delay") {
    if ((understood = number.has_value())) fault.delay = std::chrono::milliseconds(*number);
  } else if (name == "reset-after") {
    if ((understood = number.has_value())) fault.resetAfter = *number;
  } else if (name == "silent") {
    fault.silentAfter = 0;
  } else if (name == "silent-after") {
    if ((understood = number.has_value())) fault.silentAfter = *number;
  } else if (name == "oversize") {
    if ((understood = number.has_value())) fault.oversize = static_cast<std::size_t>(*number);
  } else if (name == "reply") {
    auto bytes = BytesFromHex(argument);
    if ((understood = bytes.has_value())) fault.firstReply = std::move(*bytes);
  }
  if (!understood) error = "bad argument for " + std::string(name);
  return understood;
}

}  // namespace sim
