#pragma once
// Safe replacement of a file: the new contents go to a temporary file in
// the same folder (platform/temp_files.h), are flushed to the disk, and
// only then renamed over the old file. When any step fails the old file is left exactly as it was and
// the temporary file is removed. Used for documents, settings files and
// downloads alike.
#include <memory>
#include <string>
#include <string_view>

#include "storage/file_system.h"

namespace pc::storage {

enum class AtomicWriteResult : int {
  Ok = 0,
  CreateFailed = 1,   // the temporary file could not be created (folder missing, no rights)
  WriteFailed = 2,    // writing or flushing the bytes failed (disk full)
  ReplaceFailed = 3,  // the rename over the old file failed
};

// Writes `bytes` as the new contents of `path`. An existing file keeps its
// permission bits.
AtomicWriteResult WriteFileAtomically(const std::string& path, std::string_view bytes);

// Streaming form for large files: Append() as often as needed, then
// Commit(). Destroying it without a successful Commit() removes the
// temporary file and leaves `path` untouched.
class AtomicFileWriter final : public WritableFile {
 public:
  // Null when the temporary file cannot be created.
  static std::unique_ptr<AtomicFileWriter> Create(const std::string& path);
  ~AtomicFileWriter() override;
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  bool Append(std::string_view bytes) override;
  // Flushes the bytes to the disk without putting the file in place yet,
  // so that several files can be made ready before any is replaced. False
  // (and the temporary file removed) when that failed.
  bool Prepare();
  bool Commit() override;
  // The outcome of the last failed step (Ok while none failed).
  AtomicWriteResult LastError() const { return error_; }
  const std::string& TemporaryPath() const { return temp_path_; }

 private:
  AtomicFileWriter(std::string path, std::string temp_path, int fd);
  void Discard();

  std::string path_;
  std::string temp_path_;
  int fd_;
  bool done_ = false;
  bool prepared_ = false;
  AtomicWriteResult error_ = AtomicWriteResult::Ok;
};

}  // namespace pc::storage
