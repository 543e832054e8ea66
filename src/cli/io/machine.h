// What vk38 takes from the machine: the network and the files of the
// platform layer, the request to end the run (Ctrl-C, SIGTERM), and the
// console a person may be watching.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/console.h"
#include "platform/file_system.h"
#include "platform/network.h"
#include "platform/stop_signal.h"

namespace cli {

using platform::Echo;

class Machine {
 public:
  virtual ~Machine() = default;
  // Its stream sockets end their waits once Stop is raised.
  virtual platform::Network& Network() = 0;
  virtual platform::FileSystem& Files() = 0;
  virtual platform::Console& Console() = 0;
  // Raised once the program is asked to end.
  virtual const platform::StopSignal& Stop() const = 0;

  // True when standard error is a terminal (progress is shown there).
  bool ErrorsOnTerminal() { return Console().ErrorsOnTerminal(); }
  // True when standard input is a terminal (a person can answer there).
  bool InputOnTerminal() { return Console().InputOnTerminal(); }
  // A line typed at the terminal after `prompt` (platform::Console), given
  // up once the program is asked to end.
  std::optional<std::string> ReadTerminalLine(const std::string& prompt, Echo echo) {
    return Console().ReadTerminalLine(prompt, echo, Stop());
  }
};

// The machine's own; nothing when its network cannot be started. Made
// before any other thread starts: it takes over the requests to end.
std::unique_ptr<Machine> StartMachine();

}  // namespace cli
