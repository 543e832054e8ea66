// The setup block and log commands.
#include <algorithm>

#include "protocol/zero_sum.h"
#include "sim/command_handlers.h"
#include "sim/log_source.h"
#include "sim/setup_block.h"

namespace sim {

void SendSetupBlock(const Exchange& exchange) {
  if (exchange.Misanswers("NG")) return;
  Bytes block = exchange.panel.SetupBlock();
  const std::optional<std::size_t> checksumAt =
      block.empty() ? std::nullopt : std::optional<std::size_t>(block.size() - 1);
  exchange.SendBlock(std::move(block), checksumAt);
}

void LoadSetupBlock(const Exchange& exchange) {
  if (!exchange.AnswerLine("SETTING CHANGE OK", "SETTING CHANGE NG")) return;
  Bytes block = exchange.connection.ReceiveBlock(SetupBlockLength);
  const bool valid = !block.empty() && protocol::IsZeroSum(block);
  exchange.Confirm(valid, [&] { exchange.panel.SetSetupBlock(std::move(block)); });
}

void SendLog(const Exchange& exchange) {
  if (exchange.Misanswers("NG")) return;
  const LogShape shape = exchange.panel.Log();
  const std::optional<Bytes> exact = exchange.panel.LogBytes();
  const std::uint64_t size = exact ? exact->size() : shape.size;
  Bytes piece(std::max<std::size_t>(shape.piece, 1));
  for (std::uint64_t offset = 0; offset < size; offset += piece.size()) {
    const auto count =
        static_cast<std::size_t>(std::min<std::uint64_t>(piece.size(), size - offset));
    const std::span<std::uint8_t> bytes(piece.data(), count);
    if (exact) {
      std::copy_n(exact->begin() + static_cast<std::ptrdiff_t>(offset), count, bytes.begin());
    } else {
      FillLog(exchange.panel.Address(), offset, bytes);
    }
    if (!exchange.connection.Send(bytes)) return;
  }
}

}  // namespace sim
