#include "storage/kl_record_reader.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstring>

#include "storage/byte_codec.h"
#include "storage/kl_crc.h"

namespace pc::storage {
namespace {

constexpr std::size_t kBlock = 8192;
constexpr std::uint8_t kFlagTrailer = 0x80;
constexpr std::uint8_t kFlagScrambled = 0x40;
constexpr std::uint8_t kFlagCompressed = 0x20;

}  // namespace

KlRecordReader::KlRecordReader(const KlKey& master_key, Sink sink)
    : master_(master_key), sink_(std::move(sink)) {}

KlRecordReader::~KlRecordReader() {
  if (zs_ != nullptr) {
    inflateEnd(zs_);
    delete zs_;
  }
}

bool KlRecordReader::InRecordSection() const {
  switch (state_) {
    case State::TypeByte:
    case State::LengthFlags:
    case State::LengthBytes:
    case State::Data:
    case State::RecordCrc:
    case State::StreamTail:
      return true;
    default:
      return false;
  }
}

void KlRecordReader::End(KlReadResult r) {
  if (done_) return;
  done_ = true;
  result_ = r;
}

bool KlRecordReader::Feed(const char* bytes, std::size_t size) {
  std::size_t pos = 0;
  while (pos < size && !done_) {
    if (InRecordSection()) {
      const std::size_t used = RecordSectionBytes(bytes + pos, size - pos);
      if (flags_ & kFlagTrailer) file_crc_ = KlCrc32(file_crc_, bytes + pos, used);
      pos += used;
      if (used == 0 && !done_ && InRecordSection()) End(KlReadResult::CorruptData);  // never loop
    } else {
      const auto b = static_cast<std::uint8_t>(bytes[pos]);
      if (state_ != State::FileCrc) file_crc_ = KlCrc32(file_crc_, &b, 1);
      RawByte(b);
      ++pos;
    }
  }
  return !done_;
}

KlReadResult KlRecordReader::Finish() {
  // A compressed section whose records are complete but whose stream never
  // ends cannot vouch for them.
  End(state_ == State::StreamTail ? KlReadResult::CorruptData : KlReadResult::UnexpectedEnd);
  return result_;
}

void KlRecordReader::RawByte(std::uint8_t b) {
  switch (state_) {
    case State::Header:  // magic and description are not examined
      if (b == 0) {
        state_ = State::FlagWord;
        counter_ = 0;
      }
      break;
    case State::FlagWord:
      if (counter_ == 0) flags_ = b;
      if (++counter_ == 4) {
        counter_ = 0;
        state_ = (flags_ & kFlagScrambled) ? State::KeyBlock : State::StartMarker;
      }
      break;
    case State::KeyBlock:
      key_[static_cast<std::size_t>(counter_)] =
          static_cast<std::uint8_t>(b ^ master_[static_cast<std::size_t>(counter_)]);
      if (++counter_ == 8) state_ = State::StartMarker;
      break;
    case State::StartMarker:
      if (b == 0x01) {
        state_ = State::TypeByte;
        section_pos_ = 0;
        if (flags_ & kFlagCompressed) {
          zs_ = new z_stream{};
          if (inflateInit(zs_) != Z_OK) {
            delete zs_;
            zs_ = nullptr;
            End(KlReadResult::CorruptData);
          }
        }
      }
      break;
    case State::TrailerMarker:
      if (b == 0xFF) {
        state_ = State::FileCrc;
        counter_ = 0;
        stored_crc_ = 0;
      }
      break;
    case State::FileCrc:
      stored_crc_ |= static_cast<std::uint32_t>(b) << (8 * counter_);
      if (++counter_ == 4)
        End(stored_crc_ == file_crc_ ? KlReadResult::Ok : KlReadResult::FileChecksum);
      break;
    default:
      break;
  }
}

// Copies n raw section bytes to out, undoing the scrambling when on: byte j
// of the section is XORed with key byte j mod 8, eight bytes at a time.
void KlRecordReader::Unscramble(const char* in, std::size_t n, bool scrambled,
                                std::uint8_t* out) const {
  std::memcpy(out, in, n);
  if (!scrambled) return;
  std::uint8_t rotated[8];
  for (std::size_t i = 0; i < 8; ++i) rotated[i] = key_[(section_pos_ + i) & 7];
  std::uint64_t k64;
  std::memcpy(&k64, rotated, 8);
  std::size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    std::uint64_t w;
    std::memcpy(&w, out + i, 8);
    w ^= k64;
    std::memcpy(out + i, &w, 8);
  }
  for (; i < n; ++i) out[i] ^= rotated[i & 7];
}

// Takes raw record-section bytes from the front of [bytes, bytes+size) and
// returns how many it consumed. A plain section ends with its end byte, a
// compressed one with the end of the zlib stream (which reports how much
// input it took); what follows is left to the raw states (the trailer) or
// not read at all.
std::size_t KlRecordReader::RecordSectionBytes(const char* bytes, std::size_t size) {
  const bool scrambled = (flags_ & kFlagScrambled) != 0;
  const bool compressed = (flags_ & kFlagCompressed) != 0;
  std::array<std::uint8_t, kBlock> buf;
  if (compressed) {
    const std::size_t n = std::min(size, kBlock);
    Unscramble(bytes, n, scrambled, buf.data());
    const std::size_t used = InflateBytes(buf.data(), n);
    section_pos_ += used;
    return used;
  }
  // Plain records: unscramble and process until the section ends.
  std::size_t used = 0;
  while (used < size && !done_ && InRecordSection()) {
    const std::size_t n = std::min(size - used, kBlock);
    Unscramble(bytes + used, n, scrambled, buf.data());
    // Process byte by byte only as far as the section reaches.
    const std::size_t k = ProcessPlain(buf.data(), n);
    section_pos_ += k;
    used += k;
  }
  return used;
}

// Inflates the given section bytes and runs the output through the record
// states; returns how many input bytes the stream took (fewer than given
// only when it has ended). Damage anywhere in the stream, its check value
// included, is reported even when it lies after the end byte: a record
// without its own checksum is only vouched for by the stream's.
std::size_t KlRecordReader::InflateBytes(const std::uint8_t* in, std::size_t size) {
  std::array<std::uint8_t, kBlock> out;
  zs_->next_in = const_cast<Bytef*>(in);
  zs_->avail_in = static_cast<uInt>(size);
  while (!done_) {
    zs_->next_out = out.data();
    zs_->avail_out = static_cast<uInt>(out.size());
    const int rc = inflate(zs_, Z_NO_FLUSH);
    const std::size_t produced = out.size() - zs_->avail_out;
    // The plain bytes come first, so the records before any damage are
    // handed on; plain bytes after the end byte are dropped.
    if (state_ != State::StreamTail) ProcessPlain(out.data(), produced);
    if (done_) break;
    if (rc == Z_STREAM_END) {
      StreamEnded();
      break;
    }
    if (rc == Z_BUF_ERROR) break;  // needs more input
    if (rc != Z_OK) {
      End(KlReadResult::CorruptData);
      break;
    }
    if (zs_->avail_in == 0 && zs_->avail_out != 0) break;
  }
  return size - zs_->avail_in;
}

// The end byte of the records has been read.
void KlRecordReader::RecordsEnded() {
  if (flags_ & kFlagCompressed) {
    state_ = State::StreamTail;
  } else if (flags_ & kFlagTrailer) {
    state_ = State::TrailerMarker;
  } else {
    End(KlReadResult::Ok);
  }
}

// The zlib stream has ended and its check value matched.
void KlRecordReader::StreamEnded() {
  if (state_ != State::StreamTail) {
    End(KlReadResult::UnexpectedEnd);  // the records stopped short of their end byte
  } else if (flags_ & kFlagTrailer) {
    state_ = State::TrailerMarker;
  } else {
    End(KlReadResult::Ok);
  }
}

// Runs the plain bytes through the record states until they are used up or
// the section has ended; returns how many were used. Records that lie whole
// inside the bytes are taken in one step, with the same outcome as byte by
// byte.
std::size_t KlRecordReader::ProcessPlain(const std::uint8_t* p, std::size_t n) {
  std::size_t k = 0;
  while (k < n && !done_ && InRecordSection() && state_ != State::StreamTail) {
    if (state_ == State::TypeByte && p[k] != 0x00 && k + 2 <= n) {
      const std::size_t used = WholeRecord(p + k, n - k);
      if (used > 0) {
        k += used;
        continue;
      }
    }
    if (state_ == State::Data) {
      const std::size_t take = std::min<std::size_t>(n - k, length_ - data_.size());
      PlainBytes(p + k, take);
      k += take;
    } else {
      PlainByte(p[k++]);
    }
  }
  return k;
}

// A complete, well-formed record at the front of p: dispatched, and its
// size returned. 0 when it is not wholly there or needs the careful path.
std::size_t KlRecordReader::WholeRecord(const std::uint8_t* p, std::size_t n) {
  const std::uint8_t lf = p[1];
  std::size_t head = 2;
  std::uint32_t length;
  if (lf & 0x80) {
    const std::size_t bytes = (lf & 0x0F) + 1u;
    if (bytes > 4 || n < 2 + bytes) return 0;
    length = 0;
    for (std::size_t i = 0; i < bytes; ++i) length = (length << 8) | p[2 + i];
    if (length == 0 || length > kKlMaxRecordLength) return 0;
    head += bytes;
  } else {
    length = (lf & 0x0F) + 1u;
  }
  const bool crc = (lf & 0x40) != 0;
  const std::size_t total = head + length + (crc ? 4 : 0);
  if (total > n) return 0;
  if (crc) {
    const std::uint32_t want = KlCrc32(0, p, head + length);
    const std::uint32_t got = static_cast<std::uint32_t>(p[head + length]) |
                              (static_cast<std::uint32_t>(p[head + length + 1]) << 8) |
                              (static_cast<std::uint32_t>(p[head + length + 2]) << 16) |
                              (static_cast<std::uint32_t>(p[head + length + 3]) << 24);
    if (want != got) return 0;  // the careful path reports it
  }
  kind_ = static_cast<std::uint8_t>(p[0] >> 4);
  type_ = static_cast<std::uint8_t>(p[0] & 0x0F);
  data_.assign(reinterpret_cast<const char*>(p + head), length);
  Dispatch();
  return total;
}

void KlRecordReader::PlainBytes(const std::uint8_t* p, std::size_t size) {
  // Only called in the data state, with size <= bytes still missing.
  data_.append(reinterpret_cast<const char*>(p), size);
  if (with_crc_) record_crc_ = KlCrc32(record_crc_, p, size);
  if (data_.size() == length_) DataComplete();
}

void KlRecordReader::PlainByte(std::uint8_t b) {
  switch (state_) {
    case State::TypeByte:
      if (b == 0x00) {
        RecordsEnded();
        return;
      }
      kind_ = static_cast<std::uint8_t>(b >> 4);
      type_ = static_cast<std::uint8_t>(b & 0x0F);
      head_[0] = b;
      head_len_ = 1;
      data_.clear();
      state_ = State::LengthFlags;
      return;
    case State::LengthFlags:
      head_[head_len_++] = b;
      with_crc_ = (b & 0x40) != 0;
      if (b & 0x80) {
        counter_ = (b & 0x0F) + 1;
        if (counter_ > 4) {  // more length bytes than any length can need
          End(KlReadResult::UnexpectedEnd);
          return;
        }
        length_ = 0;
        state_ = State::LengthBytes;
      } else {
        length_ = static_cast<std::uint32_t>(b & 0x0F) + 1;
        StartData();
      }
      return;
    case State::LengthBytes:
      head_[head_len_++] = b;
      length_ = (length_ << 8) | b;
      if (--counter_ == 0) {
        if (length_ > kKlMaxRecordLength) {  // no writer can produce it
          End(KlReadResult::UnexpectedEnd);
          return;
        }
        StartData();
        if (length_ == 0) DataComplete();
      }
      return;
    case State::Data:
      PlainBytes(&b, 1);
      return;
    case State::RecordCrc:
      stored_crc_ |= static_cast<std::uint32_t>(b) << (8 * counter_);
      if (++counter_ == 4) {
        if (stored_crc_ != record_crc_) {
          End(KlReadResult::RecordChecksum);
          return;
        }
        Dispatch();
      }
      return;
    default:
      return;
  }
}

// The checksum covers the head bytes too; it is only worked out for the
// records that carry one.
void KlRecordReader::StartData() {
  state_ = State::Data;
  if (with_crc_) record_crc_ = KlCrc32(0, head_.data(), head_len_);
}

void KlRecordReader::DataComplete() {
  if (with_crc_) {
    state_ = State::RecordCrc;
    counter_ = 0;
    stored_crc_ = 0;
  } else {
    Dispatch();
  }
}

void KlRecordReader::Dispatch() {
  state_ = State::TypeByte;
  ++number_;
  if (kind_ == last_kind_ && type_ == last_type_) {
    ++index_;
  } else {
    index_ = 1;
    last_kind_ = kind_;
    last_type_ = type_;
  }
  if (kind_ == 0) {
    if (type_ == 1 && !data_.empty()) format_version_ = static_cast<std::uint8_t>(data_[0]);
    if (type_ == 2 && data_.size() >= 8) write_time_ = GetDoubleAt(data_, 0);
    return;
  }
  if (sink_ && sink_(KlRecord{number_, index_, kind_, type_, data_, &data_})) End(KlReadResult::Ok);
}

}  // namespace pc::storage
