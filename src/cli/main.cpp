// vk38: the command-line companion of SetupTool for fleets of panels.
#include <cstdio>

#include "command_line/vk38_app.h"
#include "io/machine.h"
#include "run/exit_codes.h"

int main(int argc, char** argv) {
  const std::unique_ptr<cli::Machine> machine = cli::StartMachine();
  if (!machine) {
    std::fputs("vk38: the network could not be started\n", stderr);
    return cli::kExitPanelFailed;
  }
  return cli::RunVk38(argc, argv, *machine);
}
