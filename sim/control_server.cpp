#include "sim/control_server.h"

#include <algorithm>

namespace sim {

namespace {

using platform::Readiness;
using platform::ServedSocket;

bool SendText(ServedSocket& socket, const platform::StopSignal& stop, const std::string& text) {
  const auto* next = reinterpret_cast<const std::uint8_t*>(text.data());
  std::size_t left = text.size();
  while (left > 0) {
    const std::ptrdiff_t sent = socket.Send(next, left);
    if (sent == ServedSocket::kWouldBlock) {
      if (socket.WaitToSend(stop, platform::kUntilStopped) != Readiness::kReady) return false;
      continue;
    }
    if (sent < 0) return false;
    next += sent;
    left -= static_cast<std::size_t>(sent);
  }
  return true;
}

}  // namespace

ControlServer::ControlServer(platform::Network& network, ControlInterpreter& interpreter,
                             const platform::StopSignal& stop)
    : network_(network), interpreter_(interpreter), stop_(stop) {}

ControlServer::~ControlServer() { JoinClients(true); }

bool ControlServer::Listen(std::uint16_t port, std::string& error) {
  listening_ = network_.Listen("127.0.0.1", port, error);
  if (!listening_) error = "control channel: " + error;
  return listening_ != nullptr;
}

void ControlServer::Run() {
  while (std::shared_ptr<ServedSocket> socket = listening_->Accept(stop_)) {
    JoinClients(false);
    auto done = std::make_shared<std::atomic<bool>>(false);
    clients_.push_back({std::thread([this, socket, done] {
                          Serve(*socket);
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

void ControlServer::Serve(ServedSocket& socket) {
  std::string pending;
  std::uint8_t chunk[4096];
  while (socket.WaitToReceive(stop_, platform::kUntilStopped) == Readiness::kReady) {
    const std::ptrdiff_t got = socket.Receive(chunk, sizeof chunk);
    if (got == ServedSocket::kWouldBlock) continue;
    if (got <= 0) return;
    pending.append(reinterpret_cast<const char*>(chunk), static_cast<std::size_t>(got));
    for (std::size_t lf; (lf = pending.find('\n')) != std::string::npos;) {
      std::string line = pending.substr(0, lf);
      pending.erase(0, lf + 1);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      std::string answer;
      for (const std::string& out : interpreter_.Execute(line)) answer += out + "\n";
      if (!SendText(socket, stop_, answer)) return;
    }
  }
}

}  // namespace sim
