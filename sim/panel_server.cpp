#include "sim/panel_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "sim/command_dispatch.h"
#include "sim/panel_connection.h"

namespace sim {

PanelServer::PanelServer(SimulatedPanel& panel, std::uint16_t port, const StopSignal& stop)
    : panel_(panel), port_(port), stop_(stop) {}

PanelServer::~PanelServer() {
  if (listenFd_ >= 0) ::close(listenFd_);
}

bool PanelServer::Listen(std::string& error) {
  const std::string where = AddressText(panel_.Address()) + ":" + std::to_string(port_);
  listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (listenFd_ < 0) {
    error = "socket for " + where + ": " + std::strerror(errno);
    return false;
  }
  const int on = 1;
  ::setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_port = htons(port_);
  local.sin_addr.s_addr = htonl(panel_.Address());
  if (::bind(listenFd_, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0 ||
      ::listen(listenFd_, 8) != 0) {
    error = "listen on " + where + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

void PanelServer::Run() {
  for (;;) {
    if (WaitFor(listenFd_, POLLIN, stop_) != WaitResult::kReady) return;
    const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) continue;
    PanelConnection connection(fd, panel_, stop_);
    ServeConnection(connection, panel_);
  }
}

}  // namespace sim
