#include "platform/posix/posix_network.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

namespace {

class PosixStreamSocket : public StreamSocket {
 public:
  explicit PosixStreamSocket(int fd) : fd_(fd) {}
  ~PosixStreamSocket() override { ::close(fd_); }
  PosixStreamSocket(const PosixStreamSocket&) = delete;
  PosixStreamSocket& operator=(const PosixStreamSocket&) = delete;

  bool Connect(const std::string& addressText, std::uint16_t port) override {
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_port = htons(port);
    if (::inet_pton(AF_INET, addressText.c_str(), &peer.sin_addr) != 1) return false;
    int result;
    do {
      result = ::connect(fd_, reinterpret_cast<const sockaddr*>(&peer), sizeof peer);
    } while (result != 0 && errno == EINTR);
    return result == 0;
  }

  std::ptrdiff_t Send(const std::uint8_t* data, std::size_t length) override {
    ssize_t sent;
    do {
      sent = ::send(fd_, data, length, MSG_NOSIGNAL);
    } while (sent < 0 && errno == EINTR);
    return sent;
  }

  std::ptrdiff_t Receive(std::uint8_t* buffer, std::size_t capacity) override {
    ssize_t got;
    do {
      got = ::recv(fd_, buffer, capacity, 0);
    } while (got < 0 && errno == EINTR);
    return got;
  }

 private:
  int fd_;
};

}  // namespace

std::unique_ptr<StreamSocket> PosixNetwork::CreateStreamSocket() {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  if (fd < 0) return nullptr;
  return std::make_unique<PosixStreamSocket>(fd);
}

}  // namespace platform
