// What a file given to setup restore is, when it is plainly no setup block:
// a setup block is the panel's own binary block, so one of vk38's camera
// table files, or text of any kind, would wipe the panel's setup whatever
// its sum happens to be.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace cli {

// What the file looks like ("a camera table file (CSV), as table get writes
// it"), or nothing when it may be a setup block.
std::optional<std::string> NoSetupBlock(std::string_view bytes);

}  // namespace cli
