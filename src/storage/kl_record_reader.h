#pragma once
// Push parser of the container format: fed the raw bytes of a file in
// pieces of any size, it undoes scrambling and compression, checks the
// record and file checksums and hands every completed record on in file
// order. A compressed record section is read past its end byte to the end
// of the zlib stream, so that the stream's check value vouches for every
// record; plain bytes after the end byte inside the stream are dropped. It holds at most one 8192-byte block of decompressed bytes and the
// record being read; announced lengths are never trusted for allocation.
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "storage/kl_key.h"
#include "storage/kl_result.h"

typedef struct z_stream_s z_stream;

namespace pc::storage {

struct KlRecord {
  std::uint32_t number;  // counts every record of the file from 1, kind 0 included
  std::uint32_t index;   // counts consecutive records of the same kind and type from 1
  std::uint8_t kind;     // 0..15
  std::uint8_t type;     // 0..15
  std::string_view data; // valid during the call only
  // The buffer behind `data`; a sink may swap it out to keep the bytes
  // without a copy (the reader then reuses what it gets back).
  std::string* buffer;
};

class KlRecordReader {
 public:
  // Called for every record of kind 1..15; returns true to end the reading
  // at once with success. Kind 0 records are consumed by the reader.
  using Sink = std::function<bool(const KlRecord&)>;

  KlRecordReader(const KlKey& master_key, Sink sink);
  ~KlRecordReader();
  KlRecordReader(const KlRecordReader&) = delete;
  KlRecordReader& operator=(const KlRecordReader&) = delete;

  // Processes the next raw bytes of the file. Returns false once the
  // reading has ended (successfully or with a code); further bytes are then
  // not looked at.
  bool Feed(const char* bytes, std::size_t size);
  // The file has ended: the final result (UnexpectedEnd when the records or
  // the trailer were not complete).
  KlReadResult Finish();

  bool Done() const { return done_; }
  KlReadResult Result() const { return result_; }
  std::uint8_t FormatVersion() const { return format_version_; }
  double WriteTime() const { return write_time_; }
  std::uint8_t Flags() const { return flags_; }

 private:
  enum class State : std::uint8_t {
    Header, FlagWord, KeyBlock, StartMarker,
    TypeByte, LengthFlags, LengthBytes, Data, RecordCrc,
    StreamTail,  // compressed: after the end byte, until the stream's end
    TrailerMarker, FileCrc,
  };
  bool InRecordSection() const;
  void End(KlReadResult r);
  void RawByte(std::uint8_t b);
  void Unscramble(const char* in, std::size_t n, bool scrambled, std::uint8_t* out) const;
  std::size_t RecordSectionBytes(const char* bytes, std::size_t size);
  std::size_t InflateBytes(const std::uint8_t* in, std::size_t size);
  void RecordsEnded();
  void StreamEnded();
  std::size_t ProcessPlain(const std::uint8_t* p, std::size_t n);
  std::size_t WholeRecord(const std::uint8_t* p, std::size_t n);
  void PlainBytes(const std::uint8_t* p, std::size_t size);
  void PlainByte(std::uint8_t b);
  void StartData();
  void DataComplete();
  void Dispatch();

  KlKey master_;
  KlKey key_{};
  Sink sink_;
  State state_ = State::Header;
  bool done_ = false;
  KlReadResult result_ = KlReadResult::Ok;
  std::uint8_t flags_ = 0;
  std::uint8_t format_version_ = 0;
  double write_time_ = 0;
  int counter_ = 0;             // bytes seen of a multi-byte field
  std::uint64_t section_pos_ = 0;  // record-section bytes seen, for the key
  std::uint32_t file_crc_ = 0;
  std::uint32_t stored_crc_ = 0;
  // record being read
  std::uint8_t kind_ = 0, type_ = 0;
  bool with_crc_ = false;
  std::uint32_t length_ = 0;
  std::uint32_t record_crc_ = 0;
  std::array<std::uint8_t, 6> head_{};  // type byte, length flags, length bytes
  std::size_t head_len_ = 0;
  std::string data_;
  // dispatch bookkeeping
  std::uint32_t number_ = 0, index_ = 0;
  int last_kind_ = -1, last_type_ = -1;
  // decompression
  z_stream* zs_ = nullptr;
};

}  // namespace pc::storage
