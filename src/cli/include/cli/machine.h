// What vk38 takes from the machine: the network and the files of the
// platform layer, and whether a person watches the terminal.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/file_system.h"
#include "platform/network.h"

namespace cli {

class Machine {
 public:
  virtual ~Machine() = default;
  virtual platform::Network& Network() = 0;
  virtual platform::FileSystem& Files() = 0;
  // True when standard error is a terminal (progress is shown there).
  virtual bool ErrorsOnTerminal() const = 0;
  // A line typed at the terminal without echo, after `prompt` on standard
  // error; nothing when standard input is not a terminal or is at its end.
  virtual std::optional<std::string> ReadSecret(const std::string& prompt) = 0;
};

// The machine's own; nothing when its network cannot be started.
std::unique_ptr<Machine> StartMachine();

}  // namespace cli
