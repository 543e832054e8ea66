// A firmware image to the panel: the start command, the image in blocks of
// the panel's size, then the panel's verdict after it wrote its flash.
#pragma once

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

}  // namespace operations
