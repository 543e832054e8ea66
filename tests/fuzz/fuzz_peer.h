// The panel at the other end of the next connection, as the fuzzer chooses
// it: whether a socket can be made, whether the panel accepts, the bytes it
// answers split at the fuzzer's points, whether it ends with an error
// rather than a close, and how much it takes before a send fails.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_input.h"
#include "support/fake_network.h"

namespace fuzz {

// The low four bits of the first byte pick the kind of connection; the
// other bits add failures to an accepting one.
enum PeerFlags : std::uint8_t {
  kAccepting = 0x00,
  kRefusing = 0x0E,
  kNoSocket = 0x0F,
  kKindMask = 0x0F,
  kFailsAfterReply = 0x10,
  kSendFailsAfter = 0x20,  // followed by a size: the bytes taken
};

inline constexpr int kMaxPieces = 16;

class ScriptedConnection {
 public:
  // Reads the script of the next connection: flags, [send limit], piece
  // count, pieces. A socket that cannot be made applies to the next try
  // only.
  ScriptedConnection(testing_support::FakeNetwork& network, FuzzInput& input);

  // True once the page made a socket and tried to connect with it.
  bool Used() const { return network_.Connections().size() > index_; }
  bool Accepted() const { return Used() && Peer().accepts; }
  bool NoSocket() const { return noSocket_; }
  bool EndsInError() const { return failsAfterReply_; }
  // Every byte the panel would answer, and what it handed out so far.
  const std::string& Reply() const { return reply_; }
  std::string Delivered() const;
  // True when every reply byte was handed out.
  bool Drained() const { return Delivered().size() == reply_.size(); }
  // What the page sent, and the size of each send call.
  const std::string& Sent() const { return Peer().received; }
  const std::vector<std::size_t>& SendSizes() const { return Peer().sendSizes; }

 private:
  const testing_support::ScriptedPeer& Peer() const { return *network_.Connections().at(index_); }

  testing_support::FakeNetwork& network_;
  std::size_t index_;
  bool noSocket_ = false;
  bool failsAfterReply_ = false;
  std::string reply_;
};

// What a session's ReceiveUntilClosed took after `command` went out whole:
// every byte until the panel's close, cut at the 4096-byte buffer; nothing
// when the connection failed, the send failed or a receive error came first.
std::optional<std::string> BlockReceived(const ScriptedConnection& connection,
                                         std::string_view command);

// A script in the same form, for seeds.
void WriteConnection(SeedWriter& seed, std::uint8_t flags, const std::vector<std::string>& pieces,
                     std::size_t sendLimit = 0);

}  // namespace fuzz
