// A firmware image to the panel: the start command, the image in blocks of
// the panel's size, then the panel's verdict after it wrote its flash.
#pragma once

#include <cstdint>
#include <span>

#include "operations/local_files.h"
#include "operations/outcome.h"
#include "protocol/panel_link.h"

namespace operations {

enum class Image { kProgram, kFpga };

// After a program image the panel answers "FILE OK" (kReceipt; another
// line is kNotWritten there), then a line
// that is not examined and the verdict; after an FPGA image, two lines, the
// second the verdict. Each may take the panel's flash write. The file is
// opened once the panel accepted the start; an image that did not go out
// whole is not answered and nothing is awaited.
Outcome SendImage(const protocol::PanelLink& link, Image image, const OpenSource& open,
                  const Progress& progress = {});
// The same with an image already in memory (read and checked once for many
// panels), sent as a file is, in the same pieces.
Outcome SendImage(const protocol::PanelLink& link, Image image, std::span<const std::uint8_t> bytes,
                  const Progress& progress = {});

}  // namespace operations
