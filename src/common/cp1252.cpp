#include "common/cp1252.h"

#include <array>
#include <cstdint>

namespace pc {
namespace {

// Code points of the bytes 0x80..0x9F; the undefined ones map to themselves.
constexpr std::array<std::uint16_t, 32> kHighTable = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::uint32_t CodePointOf(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighTable[byte - 0x80];
  return byte;
}

void AppendUtf8(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// The Windows-1252 byte of a code point, or -1 when it has none.
int ByteOf(std::uint32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
  for (std::size_t i = 0; i < kHighTable.size(); ++i) {
    if (kHighTable[i] == cp) return static_cast<int>(0x80 + i);
  }
  return -1;
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  for (char c : text) AppendUtf8(out, CodePointOf(static_cast<unsigned char>(c)));
  return out;
}

std::string Utf8ToCp1252(std::string_view text, char replacement) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n) {
    const auto b0 = static_cast<unsigned char>(text[i]);
    if (b0 < 0x80) {
      out.push_back(static_cast<char>(b0));
      ++i;
      continue;
    }
    int length = 0;
    std::uint32_t cp = 0;
    std::uint32_t minimum = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
      length = 2, cp = b0 & 0x1F, minimum = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
      length = 3, cp = b0 & 0x0F, minimum = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
      length = 4, cp = b0 & 0x07, minimum = 0x10000;
    }
    if (length == 0) {  // stray continuation byte or invalid lead byte
      out.push_back(replacement);
      ++i;
      continue;
    }
    int taken = 1;
    bool ok = true;
    while (taken < length) {
      if (i + taken >= n) {
        ok = false;
        break;
      }
      const auto b = static_cast<unsigned char>(text[i + taken]);
      if ((b & 0xC0) != 0x80) {
        ok = false;
        break;
      }
      cp = (cp << 6) | (b & 0x3F);
      ++taken;
    }
    i += static_cast<std::size_t>(taken);
    if (!ok || cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      out.push_back(replacement);
      continue;
    }
    const int byte = ByteOf(cp);
    out.push_back(byte < 0 ? replacement : static_cast<char>(byte));
  }
  return out;
}

}  // namespace pc
