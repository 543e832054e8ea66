// The credential commands.
#include "protocol/zero_sum.h"
#include "sim/command_handlers.h"
#include "sim/credential_block.h"

namespace sim {

void SendCredentials(const Exchange& exchange) {
  if (exchange.Misanswers("NG")) return;
  exchange.SendBlock(exchange.panel.Credentials(), kCredentialChecksumAt);
}

void LoadCredentials(const Exchange& exchange) {
  if (!exchange.AnswerLine("SETTING CHANGE OK", "SETTING CHANGE NG")) return;
  Bytes record = exchange.connection.ReceiveExactly(kCredentialRecordSize);
  const bool valid = record.size() == kCredentialRecordSize && protocol::IsZeroSum(record);
  exchange.Confirm(valid, [&] { exchange.panel.SetCredentials(std::move(record)); });
}

}  // namespace sim
