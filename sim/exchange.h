// One command's exchange: the connection it runs on, the panel it talks
// for and the fault that applies to this command line. The steps that the
// commands share live here; each command's own sequence is in commands.h.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>

#include "sim/fault.h"
#include "sim/panel_connection.h"
#include "sim/simulated_panel.h"

namespace sim {

struct Exchange {
  PanelConnection& connection;
  SimulatedPanel& panel;
  const Fault& fault;

  // Sends the wrong first answer that the fault asks for (its exact bytes,
  // or `wrongLine` as a reply line); true when it did, and the exchange
  // then ends.
  bool Misanswers(std::string_view wrongLine) const;
  // The first reply line: `line`, unless the fault misanswers.
  bool AnswerLine(std::string_view line, std::string_view wrongLine) const;
  // Sends a data block, with its byte at `checksumAt` off by one when the
  // fault corrupts checksums, and extended when the fault oversizes it.
  void SendBlock(Bytes block, std::optional<std::size_t> checksumAt) const;
  // Ends a write: when `valid` and the fault lets the write succeed,
  // `store` keeps the data (unless the fault keeps the old) and "WRITE OK"
  // goes out; else "WRITE NG".
  void Confirm(bool valid, const std::function<void()>& store) const;
  // Pause between two reply lines.
  bool LineGap() const { return connection.Pause(connection.Timing().lineGap); }
};

}  // namespace sim
