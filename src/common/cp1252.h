// The one place where texts change encoding. Everything in the core and in
// files is single-byte Windows-1252; the window and the terminal speak UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace pc {

// Windows-1252 bytes to UTF-8. Never fails: the five byte values that
// Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) are passed on
// as the C1 control characters U+0081.. of the same number, as Windows does.
std::string Cp1252ToUtf8(std::string_view text);

// UTF-8 to Windows-1252. Never fails: every code point without a
// Windows-1252 byte, and every malformed UTF-8 sequence (stray continuation
// bytes, overlong forms, surrogates, truncated sequences), becomes
// `replacement`, one byte per offending sequence.
std::string Utf8ToCp1252(std::string_view text, char replacement = '?');

}  // namespace pc
