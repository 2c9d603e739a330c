#pragma once
// Little-endian encodings of the record values: word (2 bytes) and double
// (8 bytes IEEE-754). Independent of the host byte order.
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace pc::storage {

inline void PutWord(std::string& out, std::uint16_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>(v >> 8));
}

inline void PutUint32(std::string& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

inline void PutDouble(std::string& out, double d) {
  const auto bits = std::bit_cast<std::uint64_t>(d);
  for (int i = 0; i < 8; ++i) out.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
}

// The readers require `bytes` to hold enough bytes at `at` (0-based).
inline std::uint16_t GetWordAt(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                    (static_cast<unsigned char>(bytes[at + 1]) << 8));
}

inline std::uint32_t GetUint32At(std::string_view bytes, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
  return v;
}

inline double GetDoubleAt(std::string_view bytes, std::size_t at) {
  std::uint64_t bits = 0;
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(&bits, bytes.data() + at, 8);
  } else {
    for (int i = 7; i >= 0; --i) bits = (bits << 8) | static_cast<unsigned char>(bytes[at + i]);
  }
  return std::bit_cast<double>(bits);
}

}  // namespace pc::storage
