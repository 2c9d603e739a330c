#include "storage/kl_crc.h"

#include <zlib.h>

#include <algorithm>

namespace pc::storage {

std::uint32_t KlCrc32(std::uint32_t crc, const void* data, std::size_t size) {
  const auto* p = static_cast<const Bytef*>(data);
  uLong c = crc;
  while (size > 0) {  // zlib takes uInt lengths
    const uInt n = static_cast<uInt>(std::min<std::size_t>(size, 1u << 30));
    c = crc32(c, p, n);
    p += n;
    size -= n;
  }
  return static_cast<std::uint32_t>(c);
}

}  // namespace pc::storage
