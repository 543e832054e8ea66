#include "sim/panel_connection.h"

#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>

namespace sim {

namespace {

// A command line is a few dozen bytes; more without a LF is not one.
constexpr std::size_t kMaxCommandLine = 256;
constexpr std::uint8_t kByteAfterLine = 0;

bool WouldBlock() { return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR; }

}  // namespace

PanelConnection::PanelConnection(int fd, SimulatedPanel& panel, const StopSignal& stop)
    : fd_(fd), panel_(panel), stop_(stop), id_(panel.BeginConnection()), timing_(panel.Timing()) {
  ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) | O_NONBLOCK);
  // Pieces must leave one by one, not wait to be joined.
  const int on = 1;
  ::setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

PanelConnection::~PanelConnection() {
  if (fd_ >= 0) CloseInOrder();
  panel_.EndConnection(id_);
}

void PanelConnection::ShapeOutput(const Fault& fault) {
  pieces_ = fault.pieces;
  nextPiece_ = 0;
  resetAfter_ = fault.resetAfter;
  silentAfter_ = fault.silentAfter;
}

PanelConnection::Fill PanelConnection::FillInput(std::chrono::milliseconds wait) {
  if (peerClosed_ || fd_ < 0) return Fill::kClosed;
  for (;;) {
    switch (WaitFor(fd_, POLLIN, stop_, wait)) {
      case WaitResult::kTimeout:
        return Fill::kIdle;
      case WaitResult::kStopped:
        return Fill::kStopped;
      case WaitResult::kReady:
        break;
    }
    std::array<std::uint8_t, 65536> chunk;
    const ssize_t got = ::recv(fd_, chunk.data(), chunk.size(), 0);
    if (got < 0 && WouldBlock()) continue;
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
    if (WaitFor(fd_, POLLOUT, stop_, timing_.peerWait) != WaitResult::kReady) {
      broken_ = true;
      return false;
    }
    const ssize_t sent = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (sent < 0 && WouldBlock()) continue;
    if (sent < 0) {
      broken_ = true;
      return false;
    }
    bytes = bytes.subspan(static_cast<std::size_t>(sent));
  }
  return true;
}

void PanelConnection::ResetConnection() {
  const linger abort{1, 0};
  ::setsockopt(fd_, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
  ::close(fd_);
  fd_ = -1;
  broken_ = true;
}

void PanelConnection::StaySilent() {
  // Neither sends nor reads, like a panel that hung or a pulled cable: what
  // the tool sends fills the buffers until its own send gives up. The
  // connection stays until the tool closes it or the simulator stops.
  WaitFor(fd_, POLLRDHUP, stop_);
  broken_ = true;
}

void PanelConnection::CloseInOrder() {
  ::shutdown(fd_, SHUT_WR);
  while (FillInput(timing_.peerWait) == Fill::kData) input_.clear();
  ::close(fd_);
  fd_ = -1;
}

}  // namespace sim
