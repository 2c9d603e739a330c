#pragma once
// CRC-32 of record container files: the zlib / ISO-HDLC checksum (reflected
// polynomial 0xEDB88320, start value 0xFFFFFFFF, final XOR 0xFFFFFFFF).
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace pc::storage {

// Continues a checksum over `size` bytes. Start with crc = 0 (the pre- and
// post-conditioning is inside); KlCrc32(KlCrc32(0, a), b) == KlCrc32(0, ab).
std::uint32_t KlCrc32(std::uint32_t crc, const void* data, std::size_t size);
inline std::uint32_t KlCrc32(std::uint32_t crc, std::string_view bytes) {
  return KlCrc32(crc, bytes.data(), bytes.size());
}

}  // namespace pc::storage
