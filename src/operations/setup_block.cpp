#include "operations/setup_block.h"

#include "exchange.h"
#include "protocol/commands.h"
#include "protocol/zero_sum.h"

namespace operations {

Outcome ReadSetupBlock(const PanelLink& link, std::vector<std::uint8_t>& block,
                       LongBlock longBlock) {
  CPanelSession session(link);
  if (Step failed = Start(session, commands::kSetupRequest)) return *failed;
  std::span<const std::uint8_t> received;
  if (Step failed = ReceiveBlock(session, received)) return *failed;
  if (longBlock == LongBlock::kRefused && received.size() == kPanelBlockSize) {
    const std::optional<bool> more = session.MoreFollows();
    if (!more) return Interrupted(session, Stage::kPayload);
    if (*more) return {Ending::kBadData, Stage::kPayload, Flaw::kLong};
  }
  // An empty block is no setup, like one whose sum is off.
  if (received.empty()) return {Ending::kBadData, Stage::kPayload, Flaw::kEmpty};
  if (!IsZeroSum(received)) return {Ending::kBadData, Stage::kPayload, Flaw::kBadSum};
  block.assign(received.begin(), received.end());
  return {};
}

Outcome WriteSetupBlock(const PanelLink& link, const OpenSource& open) {
  return Write(link, commands::kSetupChange, FileSender(open));
}

Outcome WriteSetupBlock(const PanelLink& link, std::span<const std::uint8_t> block) {
  return Write(link, commands::kSetupChange, BytesSender(block));
}

}  // namespace operations
