#pragma once
// TKlFile: a record container file. A short text header, a flag word, an
// optional per-file key and a stream of small self-describing records, each
// identified by a kind and a type (0..15 each). The container frames,
// checks, compresses and scrambles records; their meaning belongs to the
// caller (TStorageFile).
//
// Reading is event driven: Load() parses the file in one pass and hands
// every completed record of kind 1..15 to OnReadRecord. Writing is pull
// driven: Save() asks OnWriteRecord for records, for kind 1..15 and within
// a kind for type 0..15, with index 1, 2, ... until the handler leaves
// `stop` set. Saving never damages an existing file: the new file is
// written beside it and replaces it only when complete.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "storage/file_system.h"
#include "storage/kl_key.h"
#include "storage/kl_result.h"

namespace pc::storage {

class TKlFile {
 public:
  // (sender, record number, index, kind, type, data, stop). Setting stop
  // ends the reading at once with success.
  using ReadHandler = std::function<void(TKlFile& sender, std::uint32_t record_number,
                                         std::uint32_t index, std::uint8_t kind,
                                         std::uint8_t type, std::string_view data, bool& stop)>;
  // (sender, record number, index, kind, type, data, with checksum, stop).
  // Before each call data is empty, with_checksum false and stop true.
  // Non-empty data becomes one record; clearing stop asks for the next index.
  using WriteHandler = std::function<void(TKlFile& sender, std::uint32_t record_number,
                                          std::uint32_t index, std::uint8_t kind,
                                          std::uint8_t type, std::string& data,
                                          bool& with_checksum, bool& stop)>;
  // (sender, proceed); proceed starts true, clearing it cancels the save.
  using ConfirmHandler = std::function<void(TKlFile& sender, bool& proceed)>;

  // A non-empty folder lacking a trailing separator ('\' or '/') gets '/'.
  // An empty folder means the current working folder.
  TKlFile(std::string folder, std::string file_name);
  virtual ~TKlFile() = default;
  TKlFile(const TKlFile&) = delete;
  TKlFile& operator=(const TKlFile&) = delete;

  // Reads the whole file. Requires OnReadRecord (else NoReadHandler).
  // Records handed on before a failure stay handed on.
  KlReadResult Load(const KlKey& master_key);
  // The same parse over bytes in memory (fed in 8192-byte blocks), for
  // data that did not come from a file.
  KlReadResult LoadBytes(std::string_view file_bytes, const KlKey& master_key);

  // Writes the whole file. Requires OnWriteRecord. The description must not
  // hold a byte 0 (it is cut at the first one). Scrambling is on when the
  // per-file key is not all zero; level 0..3 as in KlRecordWriter. The
  // folder is created when missing. On any failure the old file, if any, is
  // unchanged.
  KlWriteResult Save(std::string_view description, const KlKey& file_key,
                     const KlKey& master_key, int level);
  // The same file bytes into memory (no folder, no overwrite question).
  KlWriteResult SaveBytes(std::string& out, std::string_view description,
                          const KlKey& file_key, const KlKey& master_key, int level);

  // Typed values of RecordData, positions from 1. A value that does not lie
  // wholly inside the record reads as 0 (GetTail: empty).
  std::uint8_t GetByte(std::size_t pos) const;
  bool GetBool(std::size_t pos) const;
  std::uint16_t GetWord(std::size_t pos) const;
  double GetDouble(std::size_t pos) const;
  std::string GetTail(std::size_t pos) const;

  // Folder + FileName.
  std::string FullPath() const { return Folder + FileName; }

  std::string Folder;
  std::string FileName;
  std::string RecordData;        // data of the record being handed to OnReadRecord
  std::uint8_t FormatVersion = 0;  // from record 0,1 after reading
  double WriteTime = 0;            // from record 0,2 after reading
  ReadHandler OnReadRecord;
  WriteHandler OnWriteRecord;
  ConfirmHandler OnConfirmOverwrite;
  // Where files are read and written; the machine's own file system unless
  // a test puts another in.
  FileSystem* Fs = &DiskFileSystem();
  // The write time stored in record 0,2 (local time as days since
  // 30 December 1899). Replaceable so that tests can write fixed bytes.
  std::function<double()> Clock;

 private:
  KlReadResult Parse(ReadableFile* file, std::string_view bytes, const KlKey& master_key);
  bool WriteAll(const std::function<bool(std::string_view)>& sink, std::string_view description,
                const KlKey& file_key, const KlKey& master_key, int level);
};

// The current local date and time as days since 30 December 1899.
double KlNow();

}  // namespace pc::storage
