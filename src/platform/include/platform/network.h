// TCP stream sockets as the panel link needs them: blocking connect, send and
// receive. The POSIX implementation serves native builds and tests; the
// Win32 one keeps the windows repainting while a call waits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

class StreamSocket {
 public:
  virtual ~StreamSocket() = default;  // closes the socket, without a shutdown handshake
  // Connects to a dotted address and port; blocks until connected or refused.
  virtual bool Connect(const std::string& addressText, std::uint16_t port) = 0;
  // Sends some of the bytes; the count taken, or -1 on error.
  virtual std::ptrdiff_t Send(const std::uint8_t* data, std::size_t length) = 0;
  // Receives up to `capacity` bytes; the count, 0 when the peer closed, -1 on error.
  virtual std::ptrdiff_t Receive(std::uint8_t* buffer, std::size_t capacity) = 0;
};

class Network {
 public:
  virtual ~Network() = default;
  // A new unconnected TCP stream socket, or nothing when none can be created.
  virtual std::unique_ptr<StreamSocket> CreateStreamSocket() = 0;
};

}  // namespace platform
