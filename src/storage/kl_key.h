#pragma once
#include <array>
#include <cstdint>

namespace pc::storage {

// An 8-byte scrambling key (per-file key or master key), byte 1 first.
using KlKey = std::array<std::uint8_t, 8>;

// Longest record data the format can carry: the writer uses at most three
// length bytes. The reader rejects longer announcements, so a hostile file
// can never make it hold more than this for one record.
inline constexpr std::uint32_t kKlMaxRecordLength = 16'777'215;

// The magic text that every container file starts with.
inline constexpr char kKlMagic[] = ":KelvarionSPE(tm)";

}  // namespace pc::storage
