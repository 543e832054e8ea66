// A scripted TCP peer on 127.0.0.1 for the Windows-side socket tests: it
// listens on a free port, accepts one connection on a thread of its own and
// runs the given script with the accepted socket, then closes it.
#pragma once

#include <winsock2.h>

#include <cstdint>
#include <functional>
#include <string>
#include <thread>

namespace wine_test {

class LoopbackPeer {
 public:
  using Script = std::function<void(SOCKET accepted)>;

  explicit LoopbackPeer(Script script);
  ~LoopbackPeer();  // waits for the script to finish
  LoopbackPeer(const LoopbackPeer&) = delete;
  LoopbackPeer& operator=(const LoopbackPeer&) = delete;

  std::uint16_t Port() const { return port_; }
  static std::string Address() { return "127.0.0.1"; }

  // Helpers for scripts.
  static bool SendText(SOCKET socket, const std::string& text);
  // Everything until the other side closes.
  static std::string ReceiveAll(SOCKET socket);

 private:
  SOCKET listener_ = INVALID_SOCKET;
  std::uint16_t port_ = 0;
  std::thread thread_;
};

// A port on 127.0.0.1 where nothing listens.
std::uint16_t UnusedLoopbackPort();

}  // namespace wine_test
