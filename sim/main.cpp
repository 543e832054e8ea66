// panel-sim: the panel simulator as a program, with its control channel.
//
//   panel-sim [--address A]... [--control-port N]
//
// Without --address it simulates the five built-in panels. It prints
// "panel-sim ready" once everything listens and ends on SIGTERM or SIGINT.
// Run it only inside a private network namespace (scripts/private-net).
#include <pthread.h>

#include <csignal>
#include <cstdio>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "sim/control_interpreter.h"
#include "sim/control_server.h"
#include "sim/control_words.h"
#include "sim/panel_simulator.h"
#include "sim/stop_signal.h"

namespace {

struct Options {
  std::vector<PanelAddress> addresses;
  std::uint16_t controlPort = sim::kDefaultControlPort;
};

bool ParseOptions(int argc, char** argv, Options& options) {
  // Every option takes a value: they come in pairs.
  for (int i = 1; i < argc; i += 2) {
    const std::string_view option = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    if (option == "--address" && value) {
      const auto address = sim::ParseAddress(value);
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

  // Only this thread takes the stop signals; every thread started later
  // inherits the mask.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGTERM);
  sigaddset(&stopSignals, SIGINT);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

  sim::PanelSimulator simulator(options.addresses);
  std::string error;
  if (!simulator.Start(&error)) {
    std::fprintf(stderr, "panel-sim: %s\n", error.c_str());
    return 1;
  }
  sim::StopSignal controlStop;
  sim::ControlInterpreter interpreter(simulator);
  sim::ControlServer control(interpreter, controlStop);
  if (!control.Listen(options.controlPort, error)) {
    std::fprintf(stderr, "panel-sim: %s\n", error.c_str());
    return 1;
  }
  std::thread controlThread([&control] { control.Run(); });

  std::printf("panel-sim ready\n");
  std::fflush(stdout);

  int received = 0;
  sigwait(&stopSignals, &received);
  controlStop.Trigger();
  controlThread.join();
  simulator.Stop();
  return 0;
}
