// UTF-8 (portable code) <-> UTF-16 (the wide-character window system API).
// Every text crosses between the two here and nowhere else.
#pragma once

#include <string>
#include <string_view>

namespace platform::win32 {

// Invalid sequences become U+FFFD rather than failing.
std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);

}  // namespace platform::win32
