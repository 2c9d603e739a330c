#include "storage/kl_file.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <ctime>

#include "storage/byte_codec.h"
#include "storage/kl_record_reader.h"
#include "storage/kl_record_writer.h"

namespace pc::storage {
namespace {

constexpr std::size_t kBlock = 8192;
constexpr std::uint8_t kFormatVersion = 2;

bool EndsWithSeparator(const std::string& s) {
  return !s.empty() && s.back() == '/';
}

}  // namespace

double KlNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  // Days from 30 December 1899 to the local calendar date (proleptic
  // Gregorian), then the time of day as a fraction.
  const int y = local.tm_year + 1900;
  const int m = local.tm_mon + 1;
  const int d = local.tm_mday;
  const int a = (14 - m) / 12;
  const int yy = y + 4800 - a;
  const int mm = m + 12 * a - 3;
  const long jdn = d + (153 * mm + 2) / 5 + 365L * yy + yy / 4 - yy / 100 + yy / 400 - 32045;
  const long days = jdn - 2415019;  // 2415019 is the day number of 30 December 1899
  const double seconds = local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec;
  return static_cast<double>(days) + seconds / 86400.0;
}

TKlFile::TKlFile(std::string folder, std::string file_name)
    : Folder(std::move(folder)), FileName(std::move(file_name)) {
  if (!Folder.empty() && !EndsWithSeparator(Folder)) Folder.push_back('/');
}

KlReadResult TKlFile::Load(const KlKey& master_key) {
  if (!OnReadRecord) return KlReadResult::NoReadHandler;
  if (!Folder.empty() && !Fs->DirectoryExists(Folder)) return KlReadResult::FolderMissing;
  const std::string path = FullPath();
  if (!Fs->FileExists(path)) return KlReadResult::FileMissing;
  auto file = Fs->OpenForRead(path);
  if (!file) return KlReadResult::OpenFailed;
  return Parse(file.get(), {}, master_key);
}

KlReadResult TKlFile::LoadBytes(std::string_view file_bytes, const KlKey& master_key) {
  if (!OnReadRecord) return KlReadResult::NoReadHandler;
  return Parse(nullptr, file_bytes, master_key);
}

KlReadResult TKlFile::Parse(ReadableFile* file, std::string_view bytes, const KlKey& master_key) {
  FormatVersion = 0;
  WriteTime = 0;
  KlRecordReader reader(master_key, [this](const KlRecord& r) {
    RecordData.swap(*r.buffer);
    bool stop = false;
    OnReadRecord(*this, r.number, r.index, r.kind, r.type, RecordData, stop);
    return stop;
  });
  auto finish = [&](KlReadResult r) {
    FormatVersion = reader.FormatVersion();
    WriteTime = reader.WriteTime();
    return r;
  };
  if (file == nullptr) {
    while (!bytes.empty()) {
      const std::size_t n = std::min(bytes.size(), kBlock);
      if (!reader.Feed(bytes.data(), n)) return finish(reader.Result());
      bytes.remove_prefix(n);
    }
    return finish(reader.Finish());
  }
  std::array<char, kBlock> block;
  for (;;) {
    const long n = file->Read(block.data(), block.size());
    if (n < 0) return finish(KlReadResult::ReadFailed);
    if (n == 0) return finish(reader.Finish());
    if (!reader.Feed(block.data(), static_cast<std::size_t>(n))) return finish(reader.Result());
  }
}

bool TKlFile::WriteAll(const std::function<bool(std::string_view)>& sink,
                       std::string_view description, const KlKey& file_key,
                       const KlKey& master_key, int level) {
  const bool scramble =
      std::any_of(file_key.begin(), file_key.end(), [](std::uint8_t b) { return b != 0; });
  KlKey k{};
  if (scramble)
    for (std::size_t i = 0; i < 8; ++i) k[i] = static_cast<std::uint8_t>(file_key[i] ^ master_key[i]);

  // A byte 0 would end the header text early and misplace the flags.
  description = description.substr(0, description.find('\0'));
  std::string header(kKlMagic);
  header.append(description);
  header.push_back('\0');
  header.push_back(static_cast<char>((scramble ? 0x40 : 0) | (level > 0 ? 0x20 : 0)));
  header.append(3, '\0');
  if (scramble) header.append(reinterpret_cast<const char*>(file_key.data()), file_key.size());
  header.push_back('\x01');
  if (!sink(header)) return false;

  KlRecordWriter writer(sink, level, k);
  std::uint32_t written = 0;
  auto add = [&](std::uint8_t kind, std::uint8_t type, std::string_view data, bool crc) {
    if (!writer.AddRecord(kind, type, data, crc)) return false;
    ++written;
    return true;
  };
  std::string value;
  value.push_back(static_cast<char>(kFormatVersion));
  if (!add(0, 1, value, true)) return false;
  value.clear();
  PutDouble(value, Clock ? Clock() : KlNow());
  if (!add(0, 2, value, true)) return false;
  value.clear();
  PutDouble(value, 0.0);
  if (!add(0, 3, value, true)) return false;

  for (std::uint8_t kind = 1; kind <= 15; ++kind) {
    for (std::uint8_t type = 0; type <= 15; ++type) {
      for (std::uint32_t index = 1;; ++index) {
        std::string data;
        bool with_crc = false;
        bool stop = true;
        OnWriteRecord(*this, written + 1, index, kind, type, data, with_crc, stop);
        if (!data.empty() && !add(kind, type, data, with_crc)) return false;
        if (stop) break;
      }
    }
  }
  return writer.Finish();
}

KlWriteResult TKlFile::Save(std::string_view description, const KlKey& file_key,
                            const KlKey& master_key, int level) {
  if (!OnWriteRecord) return KlWriteResult::NoWriteHandler;
  if (!Folder.empty() && !Fs->DirectoryExists(Folder) && !Fs->CreateDirectories(Folder))
    return KlWriteResult::FolderNotCreated;
  const std::string path = FullPath();
  if (Fs->FileExists(path) && OnConfirmOverwrite) {
    bool proceed = true;
    OnConfirmOverwrite(*this, proceed);
    if (!proceed) return KlWriteResult::OverwriteDeclined;
  }
  auto file = Fs->CreateReplacement(path);
  if (!file) return KlWriteResult::FileNotCreated;
  const bool ok = WriteAll([&](std::string_view b) { return file->Append(b); }, description,
                           file_key, master_key, level);
  if (!ok || !file->Commit()) return KlWriteResult::WriteFailed;  // the old file stays
  return KlWriteResult::Ok;
}

KlWriteResult TKlFile::SaveBytes(std::string& out, std::string_view description,
                                 const KlKey& file_key, const KlKey& master_key, int level) {
  if (!OnWriteRecord) return KlWriteResult::NoWriteHandler;
  std::string bytes;
  const bool ok = WriteAll([&](std::string_view b) { bytes.append(b); return true; },
                           description, file_key, master_key, level);
  if (!ok) return KlWriteResult::WriteFailed;
  out = std::move(bytes);
  return KlWriteResult::Ok;
}

std::uint8_t TKlFile::GetByte(std::size_t pos) const {
  if (pos < 1 || pos > RecordData.size()) return 0;
  return static_cast<std::uint8_t>(RecordData[pos - 1]);
}

bool TKlFile::GetBool(std::size_t pos) const { return GetByte(pos) != 0; }

std::uint16_t TKlFile::GetWord(std::size_t pos) const {
  if (pos < 1 || RecordData.size() < 2 || pos - 1 > RecordData.size() - 2) return 0;
  return GetWordAt(RecordData, pos - 1);
}

double TKlFile::GetDouble(std::size_t pos) const {
  if (pos < 1 || RecordData.size() < 8 || pos - 1 > RecordData.size() - 8) return 0;
  return GetDoubleAt(RecordData, pos - 1);
}

std::string TKlFile::GetTail(std::size_t pos) const {
  if (pos < 1 || pos > RecordData.size()) return {};
  return RecordData.substr(pos - 1);
}

}  // namespace pc::storage
