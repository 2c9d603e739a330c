#pragma once
// Output pipeline of the container format: records in plain form, then
// (optionally) one zlib stream over all of them, then (optionally) the
// scrambling, collected in 8192-byte blocks that go to the sink.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "storage/kl_key.h"

typedef struct z_stream_s z_stream;

namespace pc::storage {

class KlRecordWriter {
 public:
  // Receives the finished bytes; returns false when writing them failed.
  using Sink = std::function<bool(std::string_view)>;

  // level: 0 no compression, 1 fastest, 2 zlib default, 3 best; values
  // outside 0..3 are taken as the nearest of them. scramble_key all zero
  // means no scrambling.
  KlRecordWriter(Sink sink, int level, const KlKey& scramble_key);
  ~KlRecordWriter();
  KlRecordWriter(const KlRecordWriter&) = delete;
  KlRecordWriter& operator=(const KlRecordWriter&) = delete;

  // One record; false for empty data, data longer than kKlMaxRecordLength,
  // a kind above 15 or when a write failed before.
  bool AddRecord(std::uint8_t kind, std::uint8_t type, std::string_view data, bool with_checksum);
  // Pushes the end byte, finishes the compressor and writes out the last
  // block. False when anything failed.
  bool Finish();
  bool Failed() const { return failed_; }

 private:
  void Stage(std::string_view bytes);
  void Push(const std::uint8_t* p, std::size_t size, bool finish);
  void Emit(std::size_t from);
  void FlushBlock();

  Sink sink_;
  bool compress_;
  bool scramble_;
  KlKey key_;
  std::uint64_t section_pos_ = 0;
  std::string staged_;  // plain bytes not yet pushed, under 8192
  std::string block_;   // 8192 bytes, filled up to used_
  std::size_t used_ = 0;
  z_stream* zs_ = nullptr;
  bool failed_ = false;
  bool finished_ = false;
};

// The plain bytes of one record without its data: type byte, length flags
// and length bytes, in the shortest form for `length` (1..kKlMaxRecordLength).
std::string KlRecordHead(std::uint8_t kind, std::uint8_t type, std::uint32_t length, bool with_checksum);

}  // namespace pc::storage
