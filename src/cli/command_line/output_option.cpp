#include "command_line/output_option.h"

#include <CLI/CLI.hpp>

#include "io/output_file.h"

namespace cli {

void RequireOnePanelFor(const std::vector<Panel>& panels, const std::string& output,
                        Destination destination) {
  if (panels.size() <= 1 || destination != Destination::kStream) return;
  if (output == kStandardStream) {
    throw CLI::ValidationError("-o", "standard output (-) takes one panel; give -o FOLDER");
  }
  throw CLI::ValidationError("-o", output + " is a stream and takes one panel; give -o FOLDER");
}

std::optional<Destination> ReadyDestination(platform::FileSystem& files, const std::string& output,
                                            const std::vector<Panel>& panels, bool filesTaken) {
  const Destination destination = DestinationOf(files, output, panels.size(), filesTaken);
  RequireOnePanelFor(panels, output, destination);
  if (destination == Destination::kFolder && !PrepareFolder(files, output)) return std::nullopt;
  return destination;
}

}  // namespace cli
