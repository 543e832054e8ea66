// panel-sim: the panel simulator as a program, with its control channel.
//
//   panel-sim [--address A]... [--control-port N]
//
// Without --address it simulates the five built-in panels. It prints
// "panel-sim ready" once everything listens and ends on SIGTERM or SIGINT
// (Ctrl+C or Ctrl+Break on Windows). Run it only inside a private network
// namespace (scripts/private-net).
#include <cstdio>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/stop_request.h"
#include "platform/system.h"
#include "sim/control_interpreter.h"
#include "sim/control_server.h"
#include "sim/control_words.h"
#include "sim/panel_simulator.h"

namespace {

struct Options {
  std::vector<protocol::PanelAddress> addresses;
  std::uint16_t controlPort = sim::kDefaultControlPort;
};

bool ParseOptions(int argc, char** argv, Options& options) {
  // Every option takes a value.
  for (int i = 1; i < argc; i += 2) {
    const std::string_view option = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    if (option == "--address" && value) {
      const auto address = protocol::ParseAddressText(value);
      if (!address) return false;
      options.addresses.push_back(*address);
    } else if (option == "--control-port" && value) {
      const auto port = sim::ParseNumber(value);
      if (!port || *port == 0 || *port > 65535) return false;
      options.controlPort = static_cast<std::uint16_t>(*port);
    } else {
      return false;
    }
  }
  if (options.addresses.empty()) options.addresses = sim::BuiltInPanelAddresses();
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr, "usage: panel-sim [--address A]... [--control-port N]\n");
    return 2;
  }

  // Before any thread starts: the requests to end wait for this thread.
  platform::StopRequests stopRequests;
  platform::SystemNetwork network;
  if (!network.Started()) {
    std::fprintf(stderr, "panel-sim: the socket layer does not start\n");
    return 1;
  }

  sim::PanelSimulator simulator(network, options.addresses);
  std::string error;
  if (!simulator.Start(&error)) {
    std::fprintf(stderr, "panel-sim: %s\n", error.c_str());
    return 1;
  }
  platform::StopSignal controlStop;
  sim::ControlInterpreter interpreter(simulator);
  sim::ControlServer control(network, interpreter, controlStop);
  if (!control.Listen(options.controlPort, error)) {
    std::fprintf(stderr, "panel-sim: %s\n", error.c_str());
    return 1;
  }
  std::thread controlThread([&control] { control.Run(); });

  std::printf("panel-sim ready\n");
  std::fflush(stdout);

  stopRequests.Wait();
  controlStop.Trigger();
  controlThread.join();
  simulator.Stop();
  return 0;
}
