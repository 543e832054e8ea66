// The panel's setup block: a backup from the panel, and a restore to it.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "operations/local_files.h"
#include "operations/outcome.h"
#include "protocol/panel_link.h"

namespace operations {

// What becomes of a block longer than the reply buffer: it is judged by the
// bytes that fit, as the File Operate page does (kCut), or refused
// (kRefused: kBadData, Flaw::kLong), so that it is never kept cut.
enum class LongBlock { kCut, kRefused };

// The block as the panel sends it before it closes, into `block` when it is
// not empty and its bytes add up to zero (else kBadData).
Outcome ReadSetupBlock(const protocol::PanelLink& link, std::vector<std::uint8_t>& block,
                       LongBlock longBlock = LongBlock::kCut);
// A setup block to the panel: the file `open` gives once the panel accepted
// the change, byte for byte.
Outcome WriteSetupBlock(const protocol::PanelLink& link, const OpenSource& open);
// The same with the block in memory.
Outcome WriteSetupBlock(const protocol::PanelLink& link, std::span<const std::uint8_t> block);

}  // namespace operations
