// How one panel's part of a run ended: the stable code a script can rely
// on, the page's words, and for a failure which step failed and why.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "protocol/panel_address.h"

namespace cli {

// The outcome's kind, as --json names it.
enum class Code {
  kOk,           // "ok": the panel did what was asked
  kUnreachable,  // "unreachable": no connection to the panel could be made
  kTimeout,      // "timeout": the panel stayed silent for the whole wait
  kBroken,       // "broken": the connection broke, or a block did not go out whole
  kRefused,      // "refused": the panel (or the page's own rules) refused the change
  kBadData,      // "bad-data": what the panel sent is no usable record or block
  kFile,         // "file": a local file (or standard output) could not be read or written
  kInterrupted,  // "interrupted": the run was stopped before the panel was done
  kNotVerified,  // "not-verified": the panel confirmed a write but read back otherwise
  kNotStarted,   // "not-started": --canary or --max-fail kept the panel from being started
};

std::string_view CodeName(Code code);

// Whether a panel may hold the change a command sent it: nothing that
// changes it went out (kNo); it went out and no verdict came back (kMaybe:
// Ctrl-C, silence, a break), so only reading the panel back tells; the
// panel confirmed it (kYes).
enum class Change { kNo, kMaybe, kYes };

std::string_view ChangeName(Change change);

struct PanelOutcome {
  protocol::PanelAddress panel = 0;
  std::string name{};  // the panel's name from an inventory; empty when none
  Code code = Code::kOk;
  std::string message{};                 // the page's words for the ending
  std::string cause{};                   // for a failure: the step that failed, and why
  std::string file{};                    // the file written or sent, when there is one
  std::optional<std::uint64_t> bytes{};  // the bytes moved, when counted
  // What the command found beside the ending (the changes a table file
  // makes, the write rules' notices, what a read-back found different):
  // lines told as the panel ends, before its outcome line, and with --json
  // the same as further members of the outcome's object.
  std::vector<std::string> details{};
  nlohmann::ordered_json extra = nlohmann::ordered_json::object();
  // The network failed the exchange (no connection, silence, a break) and
  // nothing it left behind stands in the way of trying the panel again
  // (retry.h); set by the exchanges, cleared where data already went out.
  bool mayRetry = false;
  // For the commands that change a panel; none for those that only read.
  std::optional<Change> changed{};

  bool Ok() const { return code == Code::kOk; }
};

// A failure of vk38's own, before or after the exchange.
PanelOutcome Failure(Code code, std::string message, std::string cause, std::string file = {});

}  // namespace cli
