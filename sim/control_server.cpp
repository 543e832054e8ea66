#include "sim/control_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace sim {

namespace {

bool SendText(int fd, const std::string& text) {
  std::size_t sent = 0;
  while (sent < text.size()) {
    const ssize_t n = ::send(fd, text.data() + sent, text.size() - sent, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    sent += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

ControlServer::ControlServer(ControlInterpreter& interpreter, const StopSignal& stop)
    : interpreter_(interpreter), stop_(stop) {}

ControlServer::~ControlServer() {
  JoinClients(true);
  if (listenFd_ >= 0) ::close(listenFd_);
}

bool ControlServer::Listen(std::uint16_t port, std::string& error) {
  listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  const int on = 1;
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_port = htons(port);
  local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (listenFd_ < 0 || ::setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0 ||
      ::bind(listenFd_, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0 ||
      ::listen(listenFd_, 8) != 0) {
    error = "control channel on 127.0.0.1:" + std::to_string(port) + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

void ControlServer::Run() {
  while (WaitFor(listenFd_, POLLIN, stop_) == WaitResult::kReady) {
    JoinClients(false);
    const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) continue;
    auto done = std::make_shared<std::atomic<bool>>(false);
    clients_.push_back({std::thread([this, fd, done] {
                          Serve(fd);
                          *done = true;
                        }),
                        done});
  }
  JoinClients(true);
}

void ControlServer::JoinClients(bool all) {
  std::erase_if(clients_, [all](Client& client) {
    if (!all && !*client.done) return false;
    client.thread.join();
    return true;
  });
}

void ControlServer::Serve(int fd) {
  std::string pending;
  char chunk[4096];
  while (WaitFor(fd, POLLIN, stop_) == WaitResult::kReady) {
    const ssize_t got = ::recv(fd, chunk, sizeof chunk, 0);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    pending.append(chunk, static_cast<std::size_t>(got));
    for (std::size_t lf; (lf = pending.find('\n')) != std::string::npos;) {
      std::string line = pending.substr(0, lf);
      pending.erase(0, lf + 1);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      std::string answer;
      for (const std::string& out : interpreter_.Execute(line)) answer += out + "\n";
      if (!SendText(fd, answer)) {
        ::close(fd);
        return;
      }
    }
  }
  ::close(fd);
}

}  // namespace sim
