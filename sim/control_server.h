// The control channel of the panel-sim program: a TCP text service on the
// loopback address. Each client connection is served by a thread of its
// own: it reads command lines and writes their answers.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/network.h"
#include "platform/stop_signal.h"
#include "sim/control_interpreter.h"

namespace sim {

inline constexpr std::uint16_t kDefaultControlPort = 35699;

class ControlServer {
 public:
  ControlServer(platform::Network& network, ControlInterpreter& interpreter,
                const platform::StopSignal& stop);
  ~ControlServer();
  ControlServer(const ControlServer&) = delete;
  ControlServer& operator=(const ControlServer&) = delete;

  // Binds 127.0.0.1:`port`; false with a reason when it cannot.
  bool Listen(std::uint16_t port, std::string& error);
  // Accepts clients until the stop signal fires, then joins their threads.
  void Run();

 private:
  struct Client {
    std::thread thread;
    std::shared_ptr<std::atomic<bool>> done;
  };
  void Serve(platform::ServedSocket& socket);
  // Joins the threads of clients that have gone, or of all when `all`.
  void JoinClients(bool all);

  platform::Network& network_;
  ControlInterpreter& interpreter_;
  const platform::StopSignal& stop_;
  std::unique_ptr<platform::ListeningSocket> listening_;
  std::vector<Client> clients_;
};

}  // namespace sim
