#include "sim/command_dispatch.h"

#include <map>
#include <string>

#include "sim/commands.h"

namespace sim {

namespace {

using Command = void (*)(const Exchange&);

const std::map<std::string, Command, std::less<>>& CommandTable() {
  static const std::map<std::string, Command, std::less<>> table = {
      {"VK38 IP SETTING REQ\r\n", SendCameraTable},
      {"VK38 IP SETTING CHANGE\r\n", LoadCameraTable},
      {"VK38 IP SET RENEW START\r\n",
       [](const Exchange& e) { SendProposal(e, AssignMode::kRenew); }},
      {"VK38 IP SET RENEW RETRY\r\n",
       [](const Exchange& e) { SendProposal(e, AssignMode::kRenew); }},
      {"VK38 IP SET RENEW SET\r\n",
       [](const Exchange& e) { ApplyProposal(e, AssignMode::kRenew); }},
      {"VK38 IP SET KEEP START\r\n", [](const Exchange& e) { SendProposal(e, AssignMode::kKeep); }},
      {"VK38 IP SET KEEP RETRY\r\n", [](const Exchange& e) { SendProposal(e, AssignMode::kKeep); }},
      {"VK38 IP SET KEEP SET\r\n", [](const Exchange& e) { ApplyProposal(e, AssignMode::kKeep); }},
      {"VK38 SETTING REQ\r\n", SendSetupBlock},
      {"VK38 SETTING CHANGE\r\n", LoadSetupBlock},
      {"VK38 LOG REQ\r\n", SendLog},
      {"VK38 VER UP START\r\n", LoadProgramImage},
      {"FPGA VER UP START\r\n", LoadFpgaImage},
      {"VK38 AUTH SETTING REQ\r\n", SendCredentials},
      {"VK38 AUTH SETTING CHANGE\r\n", LoadCredentials},
  };
  return table;
}

}  // namespace

void ServeConnection(PanelConnection& connection, SimulatedPanel& panel) {
  const std::optional<std::string> line = connection.ReceiveCommandLine();
  if (!line) return;
  const Fault fault = panel.FaultFor(*line);
  connection.ShapeOutput(fault);
  if (fault.closeAtOnce) return;
  if (fault.delay.count() > 0 && !connection.Pause(fault.delay)) return;
  const auto command = CommandTable().find(*line);
  if (command == CommandTable().end()) return;
  command->second(Exchange{connection, panel, fault});
}

}  // namespace sim
