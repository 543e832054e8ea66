#include "sim/command_dispatch.h"

#include <map>
#include <string>

#include "protocol/commands.h"
#include "sim/command_handlers.h"

namespace sim {

namespace {

using namespace protocol::commands;  // the table below names every command
using Command = void (*)(const Exchange&);

const std::map<std::string, Command, std::less<>>& CommandTable() {
  static const std::map<std::string, Command, std::less<>> table = {
      {std::string(kCameraTableRequest), SendCameraTable},
      {std::string(kCameraTableChange), LoadCameraTable},
      {std::string(kRenewStart), [](const Exchange& e) { SendProposal(e, AssignMode::kRenew); }},
      {std::string(kRenewRetry), [](const Exchange& e) { SendProposal(e, AssignMode::kRenew); }},
      {std::string(kRenewSet), [](const Exchange& e) { ApplyProposal(e, AssignMode::kRenew); }},
      {std::string(kKeepStart), [](const Exchange& e) { SendProposal(e, AssignMode::kKeep); }},
      {std::string(kKeepRetry), [](const Exchange& e) { SendProposal(e, AssignMode::kKeep); }},
      {std::string(kKeepSet), [](const Exchange& e) { ApplyProposal(e, AssignMode::kKeep); }},
      {std::string(kSetupRequest), SendSetupBlock},
      {std::string(kSetupChange), LoadSetupBlock},
      {std::string(kLogRequest), SendLog},
      {std::string(kProgramUpgradeStart), LoadProgramImage},
      {std::string(kFpgaUpgradeStart), LoadFpgaImage},
      {std::string(kCredentialRequest), SendCredentials},
      {std::string(kCredentialChange), LoadCredentials},
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
