// Which step of an exchange failed and why, in vk38's words: what an
// operation's outcome tells beside the page's text ("no answer within 30 s
// while the setup block came in", "the panel refused the command: it
// answered \"SETTING CHANGE NG\"").
#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "operations/outcome.h"

namespace cli {

// What an exchange moves, for the words of its steps.
struct ExchangeTerms {
  std::string_view payload;                // "camera table", "setup block", "log", "image", ...
  bool payloadComesIn = true;              // read from the panel, or sent to it
  std::size_t recordSize = 0;              // the size of the record read, when it has one
  std::chrono::milliseconds limit;         // how long a panel may stay silent
  std::chrono::milliseconds verdictLimit;  // how long the verdict may take
  std::string overdue{};                   // what bounds the exchange in all, when anything does
};

// Empty for an outcome that is done.
std::string CauseOf(const operations::Outcome& outcome, const ExchangeTerms& terms);

// "30 s", "1.5 s", "10 min".
std::string Duration(std::chrono::milliseconds duration);

}  // namespace cli
