#pragma once

#include <string>
#include <string_view>

// The Windows Japanese code page 932 through the system's own table.
namespace lc::win32 {

// Text to its CP932 bytes. A character the code page cannot hold becomes "?"
// (one "?" for a character beyond the BMP, whose two UTF-16 units the code page
// never holds); the system's near matches ("¥" -> 5C, "−" -> 81 7C) are kept.
std::string toCodePage932(std::wstring_view text);

// CP932 bytes to text. Each byte that starts no valid character becomes U+FFFD,
// and decoding goes on with the byte after it.
std::wstring fromCodePage932(std::string_view bytes);

} // namespace lc::win32
