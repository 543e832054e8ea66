#include "simulator_control.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <cstdio>

#include "wait.h"

namespace wine_driver {

namespace {

class Socket {
 public:
  Socket() {
    static const bool started = [] {
      WSADATA data;
      return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    if (!started) throw DriverError("cannot start Windows Sockets");
    socket_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (socket_ == INVALID_SOCKET) throw DriverError("cannot make a socket");
    const DWORD timeout = static_cast<DWORD>(kTimeout.count());
    setsockopt(socket_, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout),
               sizeof timeout);
    setsockopt(socket_, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&timeout),
               sizeof timeout);
  }
  ~Socket() { closesocket(socket_); }
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;
  SOCKET get() const { return socket_; }

 private:
  SOCKET socket_;
};

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  throw DriverError(std::string("not a hex digit: ") + c);
}

}  // namespace

Bytes FromHex(std::string_view hex) {
  if (hex.size() % 2) throw DriverError("odd number of hex digits");
  Bytes bytes;
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    bytes.push_back(static_cast<std::uint8_t>(HexDigit(hex[i]) * 16 + HexDigit(hex[i + 1])));
  }
  return bytes;
}

std::string ToHex(const Bytes& bytes) {
  std::string hex;
  char digits[3];
  for (std::uint8_t byte : bytes) {
    std::snprintf(digits, sizeof digits, "%02x", byte);
    hex += digits;
  }
  return hex;
}

SimulatorControl::SimulatorControl(std::uint16_t port) : port_(port) {}

std::vector<std::string> SimulatorControl::Command(std::string_view line) const {
  Socket socket;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port_);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    throw DriverError("cannot reach the simulator's control channel on port " +
                      std::to_string(port_));
  }
  const std::string request = std::string(line) + "\n";
  if (send(socket.get(), request.data(), static_cast<int>(request.size()), 0) !=
      static_cast<int>(request.size())) {
    throw DriverError("cannot send to the simulator: " + request);
  }

  std::vector<std::string> data;
  std::string pending;
  char buffer[4096];
  for (;;) {
    for (std::size_t end; (end = pending.find('\n')) != std::string::npos;) {
      std::string answer = pending.substr(0, end);
      pending.erase(0, end + 1);
      if (!answer.empty() && answer.back() == '\r') answer.pop_back();
      if (answer == "OK") return data;
      if (answer.rfind("ERR", 0) == 0) {
        throw DriverError("simulator refused \"" + std::string(line) + "\": " + answer);
      }
      data.push_back(answer);
    }
    const int received = recv(socket.get(), buffer, sizeof buffer, 0);
    if (received <= 0) {
      throw DriverError("simulator gave no complete answer to \"" + std::string(line) + "\"");
    }
    pending.append(buffer, static_cast<std::size_t>(received));
  }
}

void SimulatorControl::Reset() const { Command("reset"); }

void SimulatorControl::Fault(std::string_view panel, std::string_view fault,
                             std::string_view command) const {
  Command("fault " + std::string(panel) + " " + std::string(fault) + " " + std::string(command));
}

std::vector<Bytes> SimulatorControl::Received(std::string_view panel) const {
  std::vector<Bytes> connections;
  for (const std::string& answer : Command("received " + std::string(panel))) {
    // "conn <i> <hex>"; a connection that sent nothing has no hex.
    const auto first = answer.find(' ');
    const auto second = answer.find(' ', first + 1);
    if (answer.rfind("conn ", 0) != 0) throw DriverError("unexpected line: " + answer);
    connections.push_back(second == std::string::npos ? Bytes()
                                                      : FromHex(answer.substr(second + 1)));
  }
  return connections;
}

Bytes SimulatorControl::Get(std::string_view panel, std::string_view what) const {
  const auto lines = Command("get " + std::string(panel) + " " + std::string(what));
  if (lines.size() != 1) throw DriverError("expected one hex line from \"get\"");
  return FromHex(lines[0]);
}

void SimulatorControl::Put(std::string_view panel, std::string_view what,
                           const Bytes& bytes) const {
  Command("put " + std::string(panel) + " " + std::string(what) + " " + ToHex(bytes));
}

}  // namespace wine_driver
