#pragma once
// Result codes of reading and writing record container files. The numbers
// are stored nowhere but are shown to the user in messages ("code 8"), so
// they never change.

namespace pc::storage {

enum class KlReadResult : int {
  Ok = 0,              // read to the end of the records (and trailer), or stopped by the handler
  NoReadHandler = 1,
  FolderMissing = 2,
  FileMissing = 3,
  OpenFailed = 4,
  ReadFailed = 5,
  RecordChecksum = 6,  // a record checksum does not match
  FileChecksum = 7,    // the file checksum of the trailer does not match
  UnexpectedEnd = 8,   // the file ended early, or a record is malformed
  CorruptData = 9,     // the decompressor reported corrupt data
};

enum class KlWriteResult : int {
  Ok = 0,
  NoWriteHandler = 1,
  OverwriteDeclined = 2,
  FolderNotCreated = 3,
  FileNotCreated = 4,
  WriteFailed = 5,  // a write, the final flush or the replacing of the old file failed
};

constexpr int ToInt(KlReadResult r) { return static_cast<int>(r); }
constexpr int ToInt(KlWriteResult r) { return static_cast<int>(r); }

}  // namespace pc::storage
