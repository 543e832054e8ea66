// The control channel's commands (docs/simulator.md): one text line in, its
// data lines and then "OK" or "ERR <reason>" out. Safe to use from several
// threads at once.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/control_words.h"
#include "sim/panel_simulator.h"

namespace sim {

class ControlInterpreter {
 public:
  explicit ControlInterpreter(PanelSimulator& simulator) : simulator_(simulator) {}

  std::vector<std::string> Execute(std::string_view line);

 private:
  using Lines = std::vector<std::string>;
  // Each command returns the reason it failed, or nothing.
  using Failure = std::optional<std::string>;

  Failure Reset(const Words& args, Lines& out);
  Failure Panels(const Words& args, Lines& out);
  Failure SetFault(const Words& args, Lines& out);
  Failure Received(const Words& args, Lines& out);
  Failure Get(const Words& args, Lines& out);
  Failure Put(const Words& args, Lines& out);
  Failure Log(const Words& args, Lines& out);
  Failure ImageSize(const Words& args, Lines& out);
  Failure Timing(const Words& args, Lines& out);
  Failure Wait(const Words& args, Lines& out);

  // The panel named by args[0]; nothing with `failure` set when there is none.
  SimulatedPanel* PanelArg(const Words& args, Failure& failure);

  PanelSimulator& simulator_;
};

}  // namespace sim
