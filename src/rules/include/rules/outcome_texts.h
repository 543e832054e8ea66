// The outcome texts that most exchanges with a panel report, on the pages
// and in vk38.
#pragma once

#include <string_view>

inline constexpr std::string_view kNoConnect = "No Connect!!";        // no connection
inline constexpr std::string_view kSocketError = "Socket Error!!";    // command or reply lost
inline constexpr std::string_view kCommandError = "Command Error!!";  // command refused
inline constexpr std::string_view kWriteOk = "Write OK";              // write confirmed
inline constexpr std::string_view kWriteError = "Write Error!!";      // write not confirmed
