// Reading the words of a control channel command: addresses, numbers, lists
// of sizes, and fault settings.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/panel_address.h"
#include "sim/fault.h"

namespace sim {

using Words = std::vector<std::string_view>;

Words SplitWords(std::string_view line);
std::optional<std::uint64_t> ParseNumber(std::string_view text);
// "5,10,7".
std::optional<std::vector<std::size_t>> ParseSizes(std::string_view text);

// "<fault> [argument] <command line words...>" split into its two parts;
// nothing (with `error` set) when the fault is unknown or a part missing.
struct FaultWords {
  Words fault;
  Words command;
};
std::optional<FaultWords> SplitFaultWords(const Words& words, std::string& error);

// Adds the fault that `words` (from SplitFaultWords) name to `fault`; "none"
// clears it. False (with `error` set) when its argument is not understood.
bool ApplyFaultWords(const Words& words, Fault& fault, std::string& error);

}  // namespace sim
