#include "storage/kl_record_writer.h"

#include <zlib.h>

#include <algorithm>

#include "storage/byte_codec.h"
#include "storage/kl_crc.h"

namespace pc::storage {
namespace {

constexpr std::size_t kBlock = 8192;

int ZlibLevel(int level) {
  if (level <= 1) return 1;
  if (level == 2) return Z_DEFAULT_COMPRESSION;
  return 9;
}

}  // namespace

std::string KlRecordHead(std::uint8_t kind, std::uint8_t type, std::uint32_t length,
                         bool with_checksum) {
  std::string head;
  head.push_back(static_cast<char>((kind << 4) | (type & 0x0F)));
  const std::uint8_t crc_bit = with_checksum ? 0x40 : 0x00;
  if (length >= 1 && length <= 16) {
    head.push_back(static_cast<char>(crc_bit | (length - 1)));
    return head;
  }
  int n = 1;
  while (n < 4 && (length >> (8 * n)) != 0) ++n;
  head.push_back(static_cast<char>(0x80 | crc_bit | (n - 1)));
  for (int i = n - 1; i >= 0; --i) head.push_back(static_cast<char>((length >> (8 * i)) & 0xFF));
  return head;
}

KlRecordWriter::KlRecordWriter(Sink sink, int level, const KlKey& scramble_key)
    : sink_(std::move(sink)),
      compress_(level > 0),
      scramble_(std::any_of(scramble_key.begin(), scramble_key.end(), [](auto b) { return b != 0; })),
      key_(scramble_key),
      block_(kBlock, '\0') {
  staged_.reserve(kBlock);
  if (compress_) {
    zs_ = new z_stream{};
    if (deflateInit(zs_, ZlibLevel(level)) != Z_OK) {
      delete zs_;
      zs_ = nullptr;
      failed_ = true;
    }
  }
}

KlRecordWriter::~KlRecordWriter() {
  if (zs_ != nullptr) {
    deflateEnd(zs_);
    delete zs_;
  }
}

bool KlRecordWriter::AddRecord(std::uint8_t kind, std::uint8_t type, std::string_view data,
                               bool with_checksum) {
  if (failed_ || finished_ || kind > 15 || type > 15 || data.empty() ||
      data.size() > kKlMaxRecordLength) {
    failed_ = true;
    return false;
  }
  const std::string head =
      KlRecordHead(kind, type, static_cast<std::uint32_t>(data.size()), with_checksum);
  Stage(head);
  Stage(data);
  if (with_checksum) {
    std::string crc;
    PutUint32(crc, KlCrc32(KlCrc32(0, head), data));
    Stage(crc);
  }
  return !failed_;
}

bool KlRecordWriter::Finish() {
  if (finished_) return !failed_;
  staged_.push_back('\0');  // the end byte
  Push(reinterpret_cast<const std::uint8_t*>(staged_.data()), staged_.size(), true);
  staged_.clear();
  finished_ = true;
  FlushBlock();
  return !failed_;
}

// Small records are gathered into blocks before they go down the pipeline,
// which keeps the compressor's per-call cost off every record.
void KlRecordWriter::Stage(std::string_view bytes) {
  if (staged_.size() + bytes.size() > kBlock) {
    Push(reinterpret_cast<const std::uint8_t*>(staged_.data()), staged_.size(), false);
    staged_.clear();
  }
  if (bytes.size() >= kBlock) {
    Push(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), false);
  } else {
    staged_.append(bytes);
  }
}

// Moves bytes down the pipeline: into the compressor (its output into the
// block) or straight into the block, scrambling what lands there.
void KlRecordWriter::Push(const std::uint8_t* p, std::size_t size, bool finish) {
  if (failed_) return;
  if (!compress_) {
    while (size > 0 && !failed_) {
      const std::size_t n = std::min(size, kBlock - used_);
      std::copy(p, p + n, reinterpret_cast<std::uint8_t*>(block_.data()) + used_);
      const std::size_t from = used_;
      used_ += n;
      Emit(from);
      p += n;
      size -= n;
      if (used_ == kBlock) FlushBlock();
    }
    return;
  }
  zs_->next_in = const_cast<Bytef*>(p);
  zs_->avail_in = static_cast<uInt>(size);
  for (;;) {
    zs_->next_out = reinterpret_cast<Bytef*>(block_.data()) + used_;
    zs_->avail_out = static_cast<uInt>(kBlock - used_);
    const int rc = deflate(zs_, finish ? Z_FINISH : Z_NO_FLUSH);
    const std::size_t from = used_;
    used_ = kBlock - zs_->avail_out;
    Emit(from);
    if (rc == Z_STREAM_ERROR) {
      failed_ = true;
      return;
    }
    if (used_ == kBlock) {
      FlushBlock();
      if (failed_) return;
      continue;
    }
    if (finish ? rc == Z_STREAM_END : zs_->avail_in == 0) return;
  }
}

void KlRecordWriter::Emit(std::size_t from) {
  if (!scramble_) return;
  for (std::size_t i = from; i < used_; ++i) {
    block_[i] = static_cast<char>(static_cast<std::uint8_t>(block_[i]) ^ key_[section_pos_ & 7]);
    ++section_pos_;
  }
}

void KlRecordWriter::FlushBlock() {
  if (used_ == 0 || failed_) return;
  if (!sink_(std::string_view(block_.data(), used_))) failed_ = true;
  used_ = 0;
}

}  // namespace pc::storage
