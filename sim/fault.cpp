#include "sim/fault.h"

namespace sim {

std::string CommandKey(std::string_view commandLine) {
  while (!commandLine.empty() && (commandLine.back() == '\n' || commandLine.back() == '\r')) {
    commandLine.remove_suffix(1);
  }
  return std::string(commandLine);
}

}  // namespace sim
