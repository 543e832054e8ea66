// A bare client of a simulated panel for the simulator's own tests: it
// sends what it is told and keeps the size of every receive, so that tests
// see exactly how the panel sent its answer.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/system.h"
#include "protocol/panel_address.h"
#include "protocol/panel_wait_limits.h"

class RawClient {
 public:
  explicit RawClient(protocol::PanelAddress panel, std::uint16_t port = 35600);

  bool Connected() const { return connected_; }
  bool Send(std::string_view bytes);
  bool Send(const std::vector<std::uint8_t>& bytes);
  // Receives until `count` bytes arrived or the panel closed or failed.
  std::string ReceiveCount(std::size_t count);
  // Receives one reply line: up to and including the byte after its LF.
  std::string ReceiveLine();
  // Receives until the panel closes (or the connection fails).
  std::string ReceiveAll();
  // Closes the client's side.
  void Close() { socket_.reset(); }

  std::vector<std::size_t> receiveSizes;  // every receive that gave bytes
  bool failed = false;                    // a receive reported an error
  bool closed = false;                    // the panel closed in order

 private:
  bool ReceiveSome(std::string& into, std::size_t capacity);

  platform::SystemNetwork network_;
  std::unique_ptr<platform::StreamSocket> socket_;
  bool connected_ = false;
};

inline std::vector<std::uint8_t> BytesOf(std::string_view text) {
  return std::vector<std::uint8_t>(text.begin(), text.end());
}

inline std::string TextOf(const std::vector<std::uint8_t>& bytes) {
  return std::string(bytes.begin(), bytes.end());
}
