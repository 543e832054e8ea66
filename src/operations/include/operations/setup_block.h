// The panel's setup block: a backup from the panel, and a restore to it.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "operations/local_files.h"
#include "operations/outcome.h"
#include "protocol/panel_link.h"

namespace operations {

// The block as the panel sends it before it closes, into `block` when it is
// not empty and its bytes add up to zero (else kBadData).
Outcome ReadSetupBlock(const PanelLink& link, std::vector<std::uint8_t>& block);
// A setup block to the panel: the file `open` gives once the panel accepted
// the change, byte for byte.
Outcome WriteSetupBlock(const PanelLink& link, const OpenSource& open);
// The same with the block in memory.
Outcome WriteSetupBlock(const PanelLink& link, std::span<const std::uint8_t> block);

}  // namespace operations
