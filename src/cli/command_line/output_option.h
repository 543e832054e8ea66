// -o of the commands that save panels' data: where it puts them, checked
// against the panels given and made ready before any panel is asked.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "io/destination.h"
#include "panels/panel_names.h"
#include "platform/file_system.h"

namespace cli {

// A usage error unless -o `output` serves the panels: a stream (standard
// output, a device, a pipe) takes one panel's data only.
void RequireOnePanelFor(const std::vector<Panel>& panels, const std::string& output,
                        Destination destination);

// Where -o `output` puts the data of `panels` (DestinationOf), after the
// check above, with the folder made when it is one; nothing when the folder
// cannot be made (told on standard error).
std::optional<Destination> ReadyDestination(platform::FileSystem& files, const std::string& output,
                                            const std::vector<Panel>& panels, bool filesTaken);

}  // namespace cli
