#include "raw_client.h"

RawClient::RawClient(protocol::PanelAddress panel, std::uint16_t port)
    : socket_(network_.CreateStreamSocket(protocol::kPanelProgressLimit)) {
  connected_ = socket_ && socket_->Connect(protocol::AddressText(panel), port);
}

bool RawClient::Send(std::string_view bytes) {
  std::size_t sent = 0;
  while (connected_ && sent < bytes.size()) {
    const auto n = socket_->Send(reinterpret_cast<const std::uint8_t*>(bytes.data()) + sent,
                                 bytes.size() - sent);
    if (n < 0) return false;
    sent += static_cast<std::size_t>(n);
  }
  return connected_;
}

bool RawClient::Send(const std::vector<std::uint8_t>& bytes) {
  return Send(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

bool RawClient::ReceiveSome(std::string& into, std::size_t capacity) {
  if (!connected_ || !socket_ || failed || closed) return false;
  std::string chunk(capacity, '\0');
  const auto n = socket_->Receive(reinterpret_cast<std::uint8_t*>(chunk.data()), capacity);
  if (n < 0) failed = true;
  if (n == 0) closed = true;
  if (n <= 0) return false;
  receiveSizes.push_back(static_cast<std::size_t>(n));
  into.append(chunk, 0, static_cast<std::size_t>(n));
  return true;
}

std::string RawClient::ReceiveCount(std::size_t count) {
  std::string got;
  while (got.size() < count && ReceiveSome(got, count - got.size())) {
  }
  return got;
}

std::string RawClient::ReceiveLine() {
  std::string got;
  while (!(got.size() >= 3 && got[got.size() - 3] == '\r') && ReceiveSome(got, 1)) {
  }
  return got;
}

std::string RawClient::ReceiveAll() {
  std::string got;
  while (ReceiveSome(got, 65536)) {
  }
  return got;
}
