// TCP stream sockets as the panel link needs them: connect, send and receive
// that block the caller, each for at most a given time without progress.
// The POSIX implementation serves native builds and tests; the Win32 one
// keeps the windows repainting while a call waits.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

// The longest one call may wait without progress: no connection made, no
// byte sent or received. A call that reaches it fails as on any other error.
using WaitLimit = std::chrono::milliseconds;

class StreamSocket {
 public:
  virtual ~StreamSocket() = default;  // closes the socket, without a shutdown handshake
  // Connects to a dotted address and port; false when refused, failed or
  // not made within the wait limit.
  virtual bool Connect(const std::string& addressText, std::uint16_t port) = 0;
  // Sends some of the bytes; the count taken, or -1 on error or when none
  // could be sent within the wait limit.
  virtual std::ptrdiff_t Send(const std::uint8_t* data, std::size_t length) = 0;
  // Receives up to `capacity` bytes; the count, 0 when the peer closed in
  // order, -1 on error (a reset included) or when nothing arrived within
  // the wait limit.
  virtual std::ptrdiff_t Receive(std::uint8_t* buffer, std::size_t capacity) = 0;
  // The wait limit of every later call.
  virtual void SetWaitLimit(WaitLimit limit) = 0;
};

class Network {
 public:
  virtual ~Network() = default;
  // A new unconnected TCP stream socket with keep-alive on, whose calls
  // wait at most `limit` without progress; nothing when none can be made.
  virtual std::unique_ptr<StreamSocket> CreateStreamSocket(WaitLimit limit) = 0;
};

}  // namespace platform
