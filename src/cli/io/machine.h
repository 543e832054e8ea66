// What vk38 takes from the machine: the network and the files of the
// platform layer, the request to end the run (Ctrl-C, SIGTERM), and the
// terminal a person may be watching.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/file_system.h"
#include "platform/network.h"
#include "platform/stop_signal.h"

namespace cli {

enum class Echo { kShown, kHidden };

class Machine {
 public:
  virtual ~Machine() = default;
  // Its stream sockets end their waits once Stop is raised.
  virtual platform::Network& Network() = 0;
  virtual platform::FileSystem& Files() = 0;
  // Raised once the program is asked to end.
  virtual const platform::StopSignal& Stop() const = 0;
  // True when standard error is a terminal (progress is shown there).
  virtual bool ErrorsOnTerminal() const = 0;
  // True when standard input is a terminal (a person can answer there).
  virtual bool InputOnTerminal() const = 0;
  // A line typed at the terminal after `prompt` on standard error, shown or
  // not as it is typed; nothing when standard input is not a terminal, is
  // at its end, or the program is asked to end meanwhile. The terminal is
  // left as it was found.
  virtual std::optional<std::string> ReadTerminalLine(const std::string& prompt, Echo echo) = 0;
};

// The machine's own; nothing when its network cannot be started. Made
// before any other thread starts: it takes over the requests to end.
std::unique_ptr<Machine> StartMachine();

}  // namespace cli
