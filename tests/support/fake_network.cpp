#include "support/fake_network.h"

#include <algorithm>
#include <cstring>

namespace testing_support {

namespace {

class ScriptedSocket : public platform::StreamSocket {
 public:
  ScriptedSocket(std::shared_ptr<ScriptedPeer> peer, platform::WaitLimit limit)
      : peer_(std::move(peer)), limit_(limit) {
    peer_->createdWithLimit = limit;
  }

  bool Connect(const std::string& addressText, std::uint16_t port) override {
    peer_->connectedTo = addressText + ":" + std::to_string(port);
    connected_ = peer_->accepts && !Stopped();
    return connected_;
  }

  std::ptrdiff_t Send(const std::uint8_t* data, std::size_t length) override {
    if (!connected_ || Stopped()) return -1;
    peer_->sendSizes.push_back(length);
    std::size_t room = length;
    if (peer_->sendFailsAfter) {
      room = std::min(length, *peer_->sendFailsAfter -
                                  std::min(*peer_->sendFailsAfter, peer_->received.size()));
      if (room == 0) return -1;
    }
    peer_->received.append(reinterpret_cast<const char*>(data), room);
    return static_cast<std::ptrdiff_t>(room);
  }

  std::ptrdiff_t Receive(std::uint8_t* buffer, std::size_t capacity) override {
    if (!connected_ || Stopped()) return -1;
    peer_->receiveLimits.push_back(limit_);
    if (capacity == 0) return 0;
    if (peer_->pieces.empty()) return peer_->failsAfterPieces ? -1 : 0;
    std::string& piece = peer_->pieces.front();
    const std::size_t count = std::min(capacity, piece.size());
    std::memcpy(buffer, piece.data(), count);
    piece.erase(0, count);
    if (piece.empty()) peer_->pieces.pop_front();
    return static_cast<std::ptrdiff_t>(count);
  }

  void SetWaitLimit(platform::WaitLimit limit) override { limit_ = limit; }
  void EndWaitsOn(const platform::StopSignal& stop) override { stop_ = &stop; }

 private:
  // A scripted peer never makes a call wait; a raised stop signal fails it.
  bool Stopped() const { return stop_ && stop_->Triggered(); }

  std::shared_ptr<ScriptedPeer> peer_;
  platform::WaitLimit limit_;
  const platform::StopSignal* stop_ = nullptr;
  bool connected_ = false;
};

}  // namespace

ScriptedPeer& FakeNetwork::Expect(ScriptedPeer peer) {
  scripts_.push_back(std::make_shared<ScriptedPeer>(std::move(peer)));
  return *scripts_.back();
}

std::unique_ptr<platform::StreamSocket> FakeNetwork::CreateStreamSocket(platform::WaitLimit limit) {
  if (socketCreationFails) return nullptr;
  std::shared_ptr<ScriptedPeer> peer;
  if (scripts_.empty()) {
    peer = std::make_shared<ScriptedPeer>();
    peer->accepts = false;
  } else {
    peer = scripts_.front();
    scripts_.pop_front();
  }
  connections_.push_back(peer);
  return std::make_unique<ScriptedSocket>(peer, limit);
}

std::unique_ptr<platform::ListeningSocket> FakeNetwork::Listen(const std::string& addressText,
                                                               std::uint16_t port,
                                                               std::string& error) {
  error = "the scripted network cannot listen on " + addressText + ":" + std::to_string(port);
  return nullptr;
}

}  // namespace testing_support
