// Invariant checks of the fuzz targets: a broken one prints what and where,
// with the message boxes shown so far, and aborts so that libFuzzer keeps
// the input as a crash.
#pragma once

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "support/scripted_host.h"

namespace fuzz {

[[noreturn]] void Fail(const char* file, int line, const char* condition);

// The host whose boxes a failure lists.
void WatchHost(const testing_support::ScriptedHost* host);

#define FUZZ_REQUIRE(condition) \
  ((condition) ? static_cast<void>(0) : ::fuzz::Fail(__FILE__, __LINE__, #condition))

// The texts of the boxes shown since box number `from`.
std::vector<std::string> BoxesSince(const testing_support::ScriptedHost& host, std::size_t from);

// True when every text is one of `known` or passes `alsoKnown`.
bool AllAmong(const std::vector<std::string>& texts, std::initializer_list<std::string_view> known,
              const std::function<bool(const std::string&)>& alsoKnown = nullptr);

}  // namespace fuzz
