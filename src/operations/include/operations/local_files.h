// The local files an operation reads or writes, given by the caller as the
// means to open them: an operation opens a file only when the exchange has
// got to the step that needs it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/file_system.h"

namespace operations {

// Opens the file an operation sends; nothing when it cannot be opened.
using OpenSource = std::function<std::unique_ptr<platform::ReadableFile>()>;
// Creates the file an operation receives into; nothing when it cannot be
// created.
using CreateSink = std::function<std::unique_ptr<platform::WritableFile>()>;
// Called with the bytes moved so far.
using Progress = std::function<void(std::uint64_t bytes)>;

}  // namespace operations
