// Serves one connection: reads the command line, applies the fault set for
// it, and runs the command's exchange. An unknown line is not answered.
#pragma once

#include "sim/panel_connection.h"
#include "sim/simulated_panel.h"

namespace sim {

void ServeConnection(PanelConnection& connection, SimulatedPanel& panel);

}  // namespace sim
