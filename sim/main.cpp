// panel-sim: the panel simulator as a program, with its control channel.
//
//   panel-sim [--address A]... [--control-port N] | --help | --version
//
// Without --address it simulates the five built-in panels. It prints
// "panel-sim ready" once everything listens and ends on SIGTERM or SIGINT
// (Ctrl+C or Ctrl+Break on Windows). Its --help is all an installed copy
// has for documentation (its man page is made from it), so it tells how to
// run it without this project's scripts.
#include <cstdio>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/stop_request.h"
#include "platform/system.h"
#include "setuptool_version.h"
#include "sim/control_interpreter.h"
#include "sim/control_server.h"
#include "sim/control_words.h"
#include "sim/panel_simulator.h"

namespace {

// Lines of at most 80 columns, laid out as help2man reads them: the usage
// line, the description, then "Options:" and "Examples:" paragraphs.
constexpr const char* kHelp =
    "Usage: panel-sim [--address A]... [--control-port N]\n"
    "Simulate TL-VK38 remote operation panels, to try vk38 and SetupTool without\n"
    "hardware.\n"
    "\n"
    "Each simulated panel listens on TCP port 35600 of its own address and answers\n"
    "the panel commands as a panel does: camera table, setup block, log,\n"
    "credentials (user name staff, password 48213) and firmware images.\n"
    "panel-sim prints \"panel-sim ready\" once everything listens and ends on\n"
    "Ctrl+C or SIGTERM.\n"
    "\n"
    "A control channel on 127.0.0.1 steers the panels, one command a line, each\n"
    "answered by OK or ERR: reset, panels, fault PANEL FAULT COMMAND-LINE (close,\n"
    "wrong, badsum, silent, delay MS, keep-old, ...), received PANEL, get and put\n"
    "PANEL camera-record|setup|credentials|log, log PANEL SIZE PIECE,\n"
    "image-size PANEL N, timing PANEL idle-gap|line-gap|piece-gap|peer-wait MS,\n"
    "wait PANEL COUNT.\n"
    "\n"
    "The built-in addresses belong to the panels' network. Give them to a private\n"
    "network that nothing leaves, never to a real network where panels may be: a\n"
    "network namespace with only the loopback interface. As a user, \"unshare\n"
    "--map-root-user --net\" starts a shell in one; there \"ip link set lo up\" and\n"
    "\"ip addr add 192.168.0.9/32 dev lo\" (and .7, .6, .5, .4) give it the\n"
    "addresses, and panel-sim and vk38 started from that shell meet there.\n"
    "\n"
    "Options:\n"
    "  --address A         simulate a panel at address A; give it once per panel.\n"
    "                      A must be an address of this computer: for a quick try,\n"
    "                      loopback addresses such as 127.0.0.2 and 127.0.0.3.\n"
    "                      Without it, the five built-in panels VK1 to VK5 of\n"
    "                      SetupTool and vk38: 192.168.0.9, .7, .6, .5 and .4.\n"
    "  --control-port N    the control channel's TCP port on 127.0.0.1\n"
    "                      (default 35699)\n"
    "  --help              print this help and end\n"
    "  --version           print the version and end\n"
    "\n"
    "Exit status:\n"
    "  0   ended by Ctrl+C or SIGTERM, or after --help or --version\n"
    "  1   an address or port could not be listened on\n"
    "  2   a mistaken option\n"
    "\n"
    "Examples:\n"
    "  panel-sim --address 127.0.0.2 --address 127.0.0.3 &\n"
    "\n"
    "  vk38 table get 127.0.0.2 127.0.0.3 -o tables/\n";

enum class Request { kRun, kHelp, kVersion, kMistake };

struct Options {
  std::vector<protocol::PanelAddress> addresses;
  std::uint16_t controlPort = sim::kDefaultControlPort;
};

Request ParseOptions(int argc, char** argv, Options& options) {
  if (argc == 2 && std::string_view(argv[1]) == "--help") return Request::kHelp;
  if (argc == 2 && std::string_view(argv[1]) == "--version") return Request::kVersion;
  // Every other option takes a value.
  for (int i = 1; i < argc; i += 2) {
    const std::string_view option = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    if (option == "--address" && value) {
      const auto address = protocol::ParseAddressText(value);
      if (!address) return Request::kMistake;
      options.addresses.push_back(*address);
    } else if (option == "--control-port" && value) {
      const auto port = sim::ParseNumber(value);
      if (!port || *port == 0 || *port > 65535) return Request::kMistake;
      options.controlPort = static_cast<std::uint16_t>(*port);
    } else {
      return Request::kMistake;
    }
  }
  if (options.addresses.empty()) options.addresses = sim::BuiltInPanelAddresses();
  return Request::kRun;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  switch (ParseOptions(argc, argv, options)) {
    case Request::kHelp:
      std::fputs(kHelp, stdout);
      return std::fflush(stdout) == 0 ? 0 : 1;
    case Request::kVersion:
      std::printf("panel-sim %s\n", SETUPTOOL_VERSION_TEXT);
      return std::fflush(stdout) == 0 ? 0 : 1;
    case Request::kMistake:
      std::fputs(
          "usage: panel-sim [--address A]... [--control-port N]\n"
          "Try 'panel-sim --help' for more information.\n",
          stderr);
      return 2;
    case Request::kRun:
      break;
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
