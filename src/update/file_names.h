// What a file name from the update server may be, and how it travels in a
// request.
#pragma once

#include <string>
#include <string_view>

namespace pc::update {

// True when `name` can only ever name a file directly inside its target
// folder: not empty, not "." or "..", no "..", no folder separator ("/" or
// "\"), no drive or stream colon, no control character, not ending in a dot
// or blank, and not a device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9, with
// or without extension, in any letter case).
bool IsSafeFileName(std::string_view name);

// Every byte other than 0-9, A-Z and a-z becomes "%" and two upper-case
// hexadecimal digits: "a b+c" -> "a%20b%2Bc".
std::string PercentEncode(std::string_view text);

}  // namespace pc::update
