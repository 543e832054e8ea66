#include "io/system_machine.h"

#include "run/exit_codes.h"

namespace cli {

SystemMachine::SystemMachine() : stopWatch_(kExitStopped) {}

std::unique_ptr<Machine> StartMachine() {
  auto machine = std::make_unique<SystemMachine>();
  if (!machine->NetworkStarted()) return nullptr;
  return machine;
}

}  // namespace cli
