#include "operations/setup_block.h"

#include "exchange.h"
#include "protocol/commands.h"
#include "protocol/zero_sum.h"

namespace operations {

Outcome ReadSetupBlock(const protocol::PanelLink& link, std::vector<std::uint8_t>& block,
                       LongBlock longBlock) {
  protocol::CPanelSession session(link);
  if (Step failed = Start(session, protocol::commands::kSetupRequest)) return *failed;
  std::span<const std::uint8_t> received;
  if (Step failed = ReceiveBlock(session, received)) return *failed;
  if (longBlock == LongBlock::kRefused && received.size() == protocol::kPanelBlockSize) {
    const std::optional<bool> more = session.MoreFollows();
    if (!more) return Interrupted(session, Stage::kPayload);
    if (*more) return {Ending::kBadData, Stage::kPayload, Flaw::kLong};
  }
  // An empty block is no setup, like one whose sum is off.
  if (received.empty()) return {Ending::kBadData, Stage::kPayload, Flaw::kEmpty};
  if (!protocol::IsZeroSum(received)) return {Ending::kBadData, Stage::kPayload, Flaw::kBadSum};
  block.assign(received.begin(), received.end());
  return {};
}

Outcome WriteSetupBlock(const protocol::PanelLink& link, const OpenSource& open) {
  return Write(link, protocol::commands::kSetupChange, FileSender(open));
}

Outcome WriteSetupBlock(const protocol::PanelLink& link, std::span<const std::uint8_t> block) {
  return Write(link, protocol::commands::kSetupChange, BytesSender(block));
}

}  // namespace operations
