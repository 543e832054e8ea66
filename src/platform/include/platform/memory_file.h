// Bytes in memory read like a file: an image read and checked once, then
// sent to every panel from memory, so that each gets the very bytes that
// were checked.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "platform/file_system.h"

namespace platform {

// Reads `bytes`, which must outlive the reader.
std::unique_ptr<ReadableFile> ReaderOf(std::span<const std::uint8_t> bytes);

}  // namespace platform
