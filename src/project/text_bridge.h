// Text conversions at the edge of the core, on top of common/cp1252.h: the
// JSON side is UTF-8, everything inside is Windows-1252.
#pragma once

#include <string>
#include <string_view>

#include "common/cp1252.h"

namespace pc::project_json {

// UTF-8 to Windows-1252. False when the text holds a character Windows-1252
// lacks, a malformed sequence or a NUL character; `out` is then unspecified.
inline bool Utf8ToSingleByte(std::string_view utf8, std::string& out) {
  if (utf8.find('\0') != std::string_view::npos) return false;
  out = Utf8ToCp1252(utf8, '\0');
  return out.find('\0') == std::string::npos;
}

inline std::string SingleByteToUtf8(std::string_view text) { return Cp1252ToUtf8(text); }

}  // namespace pc::project_json
