// Writing whole files safely, and the exclusively locked file of a log.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace pc::platform {

enum class FileWriteResult : int {
  Ok = 0,
  CreateFailed = 1,   // the temporary file could not be created (folder missing, no rights)
  WriteFailed = 2,    // writing or flushing failed (disk full); the old file is untouched
  ReplaceFailed = 3,  // putting the new file in place failed; the old file is untouched
};

// Replaces the contents of `path` by `bytes`: they go to a temporary file in
// the same folder with the permission bits `mode`, are flushed to the disk,
// and only then renamed over `path`. On any failure `path` is left as it was
// and the temporary file is removed.
FileWriteResult WriteFileReplacing(const std::string& path, std::string_view bytes, unsigned mode);

// A file that one writer holds: created or emptied on opening, locked
// exclusively against every other opener (another run of the program gets
// nullptr and can try another name), written straight through to the system
// so that nothing is lost when the process dies.
class ExclusiveFile {
 public:
  // Null when the file cannot be created or opened for writing, is locked
  // by someone else, or cannot be emptied.
  static std::unique_ptr<ExclusiveFile> CreateLocked(const std::string& path);
  ~ExclusiveFile();
  ExclusiveFile(const ExclusiveFile&) = delete;
  ExclusiveFile& operator=(const ExclusiveFile&) = delete;

  // Hands all bytes to the system before returning; false when that failed.
  bool Write(std::string_view bytes);
  const std::string& Path() const { return path_; }

 private:
  ExclusiveFile(std::string path, int fd) : path_(std::move(path)), fd_(fd) {}
  std::string path_;
  int fd_;
};

}  // namespace pc::platform
