#include "sim/panel_connection.h"

#include <algorithm>
#include <array>

namespace sim {

namespace {

// A command line is a few dozen bytes; more without a LF is not one.
constexpr std::size_t kMaxCommandLine = 256;
constexpr std::uint8_t kByteAfterLine = 0;

using platform::Readiness;
using platform::ServedSocket;

}  // namespace

PanelConnection::PanelConnection(std::unique_ptr<ServedSocket> socket, SimulatedPanel& panel,
                                 const platform::StopSignal& stop)
    : socket_(std::move(socket)),
      panel_(panel),
      stop_(stop),
      id_(panel.BeginConnection()),
      timing_(panel.Timing()) {}

PanelConnection::~PanelConnection() {
  if (socket_) CloseInOrder();
  panel_.EndConnection(id_);
}

void PanelConnection::ShapeOutput(const Fault& fault) {
  pieces_ = fault.pieces;
  nextPiece_ = 0;
  resetAfter_ = fault.resetAfter;
  silentAfter_ = fault.silentAfter;
  trickle_ = fault.trickle;
}

PanelConnection::Fill PanelConnection::FillInput(std::chrono::milliseconds wait) {
  if (peerClosed_ || !socket_) return Fill::kClosed;
  for (;;) {
    switch (socket_->WaitToReceive(stop_, wait)) {
      case Readiness::kTimeout:
        return Fill::kIdle;
      case Readiness::kStopped:
        return Fill::kStopped;
      case Readiness::kReady:
        break;
    }
    std::array<std::uint8_t, 65536> chunk;
    const std::ptrdiff_t got = socket_->Receive(chunk.data(), chunk.size());
    if (got == ServedSocket::kWouldBlock) continue;
    if (got <= 0) {
      peerClosed_ = true;
      return Fill::kClosed;
    }
    const std::span<const std::uint8_t> bytes(chunk.data(), static_cast<std::size_t>(got));
    panel_.AppendReceived(id_, bytes);
    input_.insert(input_.end(), bytes.begin(), bytes.end());
    return Fill::kData;
  }
}

std::optional<std::string> PanelConnection::ReceiveCommandLine() {
  for (;;) {
    const auto lf = std::find(input_.begin(), input_.end(), std::uint8_t{'\n'});
    if (lf != input_.end()) {
      std::string line(input_.begin(), lf + 1);
      input_.erase(input_.begin(), lf + 1);
      return line;
    }
    if (input_.size() > kMaxCommandLine) return std::nullopt;
    if (FillInput(timing_.peerWait) != Fill::kData) return std::nullopt;
  }
}

Bytes PanelConnection::ReceiveBlock(const LengthRule& lengthOf) {
  Bytes block;
  block.swap(input_);
  for (;;) {
    const std::optional<std::size_t> length = lengthOf(block);
    if (length && block.size() >= *length) {
      // What came after the block stays for the orderly close to take.
      input_.assign(block.begin() + static_cast<std::ptrdiff_t>(*length), block.end());
      block.resize(*length);
      return block;
    }
    if (FillInput(length ? timing_.peerWait : timing_.idleGap) != Fill::kData) return block;
    block.insert(block.end(), input_.begin(), input_.end());
    input_.clear();
  }
}

Bytes PanelConnection::ReceiveExactly(std::size_t length) {
  return ReceiveBlock([length](std::span<const std::uint8_t>) { return length; });
}

Bytes PanelConnection::ReceiveUntilIdle() {
  return ReceiveBlock([](std::span<const std::uint8_t>) { return std::optional<std::size_t>(); });
}

bool PanelConnection::Send(std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    if (broken_) return false;
    if (silentAfter_ && sent_ >= *silentAfter_) {
      StaySilent();
      return false;
    }
    std::size_t chunk = bytes.size();
    const bool inPieces = nextPiece_ < pieces_.size();
    if (inPieces) chunk = std::min(chunk, std::max<std::size_t>(pieces_[nextPiece_++], 1));
    if (trickle_) chunk = 1;
    if (resetAfter_) chunk = std::min<std::uint64_t>(chunk, *resetAfter_ - sent_);
    if (silentAfter_) chunk = std::min<std::uint64_t>(chunk, *silentAfter_ - sent_);
    if (chunk > 0 && !SendChunk(bytes.first(chunk))) return false;
    sent_ += chunk;
    bytes = bytes.subspan(chunk);
    if (resetAfter_ && sent_ >= *resetAfter_) {
      ResetConnection();
      return false;
    }
    if (inPieces && !Pause(timing_.pieceGap)) return false;
    if (trickle_ && !Pause(*trickle_)) return false;
  }
  return !broken_;
}

bool PanelConnection::SendLine(std::string_view text) {
  Bytes line(text.begin(), text.end());
  line.insert(line.end(), {'\r', '\n', kByteAfterLine});
  return Send(line);
}

bool PanelConnection::SendChunk(std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    if (socket_->WaitToSend(stop_, timing_.peerWait) != Readiness::kReady) {
      broken_ = true;
      return false;
    }
    const std::ptrdiff_t sent = socket_->Send(bytes.data(), bytes.size());
    if (sent == ServedSocket::kWouldBlock) continue;
    if (sent < 0) {
      broken_ = true;
      return false;
    }
    bytes = bytes.subspan(static_cast<std::size_t>(sent));
  }
  return true;
}

void PanelConnection::ResetConnection() {
  socket_->Reset();
  socket_.reset();
  broken_ = true;
}

void PanelConnection::StaySilent() {
  // Neither sends nor reads, like a panel that hung or a pulled cable: what
  // the tool sends fills the buffers until its own send gives up. The
  // connection stays until the tool closes it or the simulator stops.
  socket_->WaitForPeerToClose(stop_);
  broken_ = true;
}

void PanelConnection::CloseInOrder() {
  socket_->EndSending();
  while (FillInput(timing_.peerWait) == Fill::kData) input_.clear();
  socket_.reset();
}

}  // namespace sim
