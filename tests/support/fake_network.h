// A platform::Network whose peers follow a script, for the paths a real
// panel cannot be made to take on demand: a socket that cannot be created, a
// send that fails half-way, a receive error after some data.
#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/network.h"

namespace testing_support {

struct ScriptedPeer {
  // Scripts, to be chained: Answering({"a", "b"}).ThenFailing().
  static ScriptedPeer Refusing() {
    ScriptedPeer peer;
    peer.accepts = false;
    return peer;
  }
  static ScriptedPeer Answering(std::deque<std::string> replyPieces) {
    ScriptedPeer peer;
    peer.pieces = std::move(replyPieces);
    return peer;
  }
  ScriptedPeer ThenFailing() && {
    failsAfterPieces = true;
    return std::move(*this);
  }
  ScriptedPeer TakingOnly(std::size_t bytes) && {
    sendFailsAfter = bytes;
    return std::move(*this);
  }

  bool accepts = true;
  // Pieces handed out by successive receives, in order.
  std::deque<std::string> pieces{};
  // After the last piece: an error instead of an orderly close.
  bool failsAfterPieces = false;
  // Bytes the peer takes before every further send fails.
  std::optional<std::size_t> sendFailsAfter{};

  // What happened on the connection.
  std::string connectedTo{};
  std::string received{};
  std::vector<std::size_t> sendSizes{};  // bytes handed to each send call
  // The socket's wait limit at each receive call, in order.
  std::vector<platform::WaitLimit> receiveLimits{};
  // The limit the socket was created with.
  platform::WaitLimit createdWithLimit{};
};

class FakeNetwork : public platform::Network {
 public:
  bool socketCreationFails = false;

  // The next connection follows this script; connections beyond the
  // scripted ones are refused.
  ScriptedPeer& Expect(ScriptedPeer peer = {});
  // Forgets the scripts no connection has taken yet.
  void DropUnusedScripts() { scripts_.clear(); }
  // Every connection made so far, scripted or not.
  const std::vector<std::shared_ptr<ScriptedPeer>>& Connections() const { return connections_; }

  std::unique_ptr<platform::StreamSocket> CreateStreamSocket(platform::WaitLimit limit) override;
  // Scripted peers only: nothing listens here.
  std::unique_ptr<platform::ListeningSocket> Listen(const std::string& addressText,
                                                    std::uint16_t port,
                                                    std::string& error) override;

 private:
  std::deque<std::shared_ptr<ScriptedPeer>> scripts_;
  std::vector<std::shared_ptr<ScriptedPeer>> connections_;
};

}  // namespace testing_support
