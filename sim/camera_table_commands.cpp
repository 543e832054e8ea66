// The camera table commands: read, write, and the renew and keep
// assignments with their confirmation.
#include <algorithm>

#include "protocol/zero_sum.h"
#include "sim/command_handlers.h"

namespace sim {

namespace {

Bytes ToBytes(const protocol::IpSettingRecord& record) {
  return Bytes(record.bytes.begin(), record.bytes.end());
}

// The panel's table as a record; a table set to another length fills the
// start of an all-zero record.
protocol::IpSettingRecord TableOf(const SimulatedPanel& panel) {
  const Bytes stored = panel.CameraRecord();
  protocol::IpSettingRecord record;
  std::copy_n(stored.begin(), std::min(stored.size(), record.bytes.size()), record.bytes.begin());
  return record;
}

}  // namespace

void SendCameraTable(const Exchange& exchange) {
  if (exchange.Misanswers("NG")) return;
  exchange.SendBlock(exchange.panel.CameraRecord(), protocol::IpSettingRecord::kChecksumAt);
}

void LoadCameraTable(const Exchange& exchange) {
  if (!exchange.AnswerLine("SETTING CHANGE OK", "SETTING CHANGE NG")) return;
  Bytes record = exchange.connection.ReceiveExactly(protocol::IpSettingRecord::kSize);
  const bool valid =
      record.size() == protocol::IpSettingRecord::kSize && protocol::IsZeroSum(record);
  exchange.Confirm(valid, [&] { exchange.panel.SetCameraRecord(std::move(record)); });
}

void SendProposal(const Exchange& exchange, AssignMode mode) {
  if (exchange.Misanswers("NG")) return;
  const protocol::IpSettingRecord proposal =
      ProposeAssignment(TableOf(exchange.panel), exchange.panel.Address(), mode);
  exchange.panel.SetProposal(mode, ToBytes(proposal));
  exchange.SendBlock(ToBytes(proposal), protocol::IpSettingRecord::kChecksumAt);
}

void ApplyProposal(const Exchange& exchange, AssignMode mode) {
  if (exchange.Misanswers("SETTING NG")) return;
  protocol::IpSettingRecord proposal;
  if (const auto pending = exchange.panel.Proposal(mode)) {
    std::copy(pending->begin(), pending->end(), proposal.bytes.begin());
  } else {
    proposal = ProposeAssignment(TableOf(exchange.panel), exchange.panel.Address(), mode);
  }
  exchange.panel.SetCameraRecord(SettledTable(proposal));
  exchange.connection.SendLine("SETTING OK");
}

}  // namespace sim
