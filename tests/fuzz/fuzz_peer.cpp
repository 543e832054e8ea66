#include "fuzz_peer.h"

#include "protocol/panel_session.h"

namespace fuzz {

ScriptedConnection::ScriptedConnection(testing_support::FakeNetwork& network, FuzzInput& input)
    : network_(network), index_(network.Connections().size()) {
  network.DropUnusedScripts();
  const std::uint8_t flags = input.Byte();
  const std::uint8_t kind = flags & kKindMask;
  noSocket_ = kind == kNoSocket;
  network.socketCreationFails = noSocket_;
  testing_support::ScriptedPeer peer;
  peer.accepts = kind != kRefusing;
  failsAfterReply_ = (flags & kFailsAfterReply) != 0;
  peer.failsAfterPieces = failsAfterReply_;
  if (flags & kSendFailsAfter) peer.sendFailsAfter = input.Size();
  const int count = input.Byte() % (kMaxPieces + 1);
  for (int i = 0; i < count; ++i) {
    std::string piece = input.Piece();
    // An empty receive is the panel's close, which ends the reply.
    if (piece.empty()) continue;
    reply_ += piece;
    peer.pieces.push_back(std::move(piece));
  }
  if (!noSocket_) network.Expect(std::move(peer));
}

std::string ScriptedConnection::Delivered() const {
  if (!Used()) return {};
  std::size_t left = 0;
  for (const std::string& piece : Peer().pieces) left += piece.size();
  return reply_.substr(0, reply_.size() - left);
}

std::optional<std::string> BlockReceived(const ScriptedConnection& connection,
                                         std::string_view command) {
  if (!connection.Accepted() || connection.Sent() != command) return std::nullopt;
  const std::string delivered = connection.Delivered();
  // The panel's close ends the block, and so does a full buffer.
  if (delivered.size() == protocol::kPanelBlockSize) return delivered;
  if (!connection.Drained() || connection.EndsInError()) return std::nullopt;
  return delivered;
}

void WriteConnection(SeedWriter& seed, std::uint8_t flags, const std::vector<std::string>& pieces,
                     std::size_t sendLimit) {
  seed.Byte(flags);
  if (flags & kSendFailsAfter) seed.Size(sendLimit);
  seed.Byte(static_cast<std::uint8_t>(pieces.size()));
  for (const std::string& piece : pieces) seed.Piece(piece);
}

}  // namespace fuzz
