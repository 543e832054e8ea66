// How a simulated panel misbehaves in answer to one command line: the ways a
// real panel or network can fail that the tool must survive.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

struct Fault {
  // Close the connection right after the command line, answering nothing.
  bool closeAtOnce = false;
  // Answer a wrong first line (or a short text in place of a data block).
  bool wrongReply = false;
  // These exact bytes go out in place of the first answer; then the panel
  // only waits for the tool to close.
  std::optional<std::vector<std::uint8_t>> firstReply{};
  // Records and blocks go out with their checksum byte off by one.
  bool badChecksum = false;
  // Everything sent on the connection goes out in pieces of these sizes, in
  // order, with a short gap after each; what follows the last goes at once.
  std::vector<std::size_t> pieces{};
  // Everything sent goes out one byte at a time, with this long a gap after
  // each: a panel that never falls silent and never gets done.
  std::optional<std::chrono::milliseconds> trickle{};
  // Wait this long before the first answer.
  std::chrono::milliseconds delay{0};
  // Reset the connection (no orderly close) once this many bytes were sent.
  std::optional<std::uint64_t> resetAfter{};
  // Fall silent when about to send more than this many bytes: send and read
  // nothing more and keep the connection open until the tool closes it, as
  // a panel that hangs or a pulled cable does. 0: silent from the start.
  std::optional<std::uint64_t> silentAfter{};
  // A data block is extended with zero bytes to this length.
  std::optional<std::size_t> oversize{};
  // Upload: "FILE NG" in place of "FILE OK"; the upload ends there.
  bool fileNg = false;
  // "WRITE NG" in place of "WRITE OK"; nothing is stored.
  bool writeNg = false;
  // "WRITE OK" for a good table, setup block or credential record, but the
  // panel keeps what it held: a write that a read-back must catch.
  bool keepOld = false;
};

// The key under which faults are kept: the command line without its CR LF,
// so that "VK38 LOG REQ" and "VK38 LOG REQ\r\n" name the same command.
std::string CommandKey(std::string_view commandLine);

}  // namespace sim
