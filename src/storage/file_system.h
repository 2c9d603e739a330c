#pragma once
// The file operations that reading and saving documents need, behind one
// small interface so that tests can inject failures (a full disk, a rename
// that fails, a read error half way). DiskFileSystem() is the real one.
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace pc::storage {

class ReadableFile {
 public:
  virtual ~ReadableFile() = default;
  // Reads up to `size` bytes into `buffer`. Returns the number read, 0 at
  // the end of the file, -1 when the read failed.
  virtual long Read(char* buffer, std::size_t size) = 0;
};

// A file being written as a replacement for `path`. Nothing is visible at
// `path` until Commit() succeeds; an existing file there stays untouched
// until then, and also when Commit() fails or the object is destroyed
// without a Commit() (the partial temporary file is removed).
class WritableFile {
 public:
  virtual ~WritableFile() = default;
  // Appends bytes; false when the write failed (the file is then useless).
  virtual bool Append(std::string_view bytes) = 0;
  // Flushes the bytes to the disk and puts the file in place of the old
  // one in a single step. False when any of this failed.
  virtual bool Commit() = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual bool DirectoryExists(const std::string& path) = 0;
  // True for anything at `path` (a regular file, a folder, ...).
  virtual bool FileExists(const std::string& path) = 0;
  // Creates the folder with all missing parents; true when it exists after.
  virtual bool CreateDirectories(const std::string& path) = 0;
  // Opens a regular file for reading; null when that is not possible.
  virtual std::unique_ptr<ReadableFile> OpenForRead(const std::string& path) = 0;
  // Starts writing a replacement for `path` (see WritableFile); null when
  // the file cannot be created.
  virtual std::unique_ptr<WritableFile> CreateReplacement(const std::string& path) = 0;
};

// The real file system of the machine. The replacement files are written
// as described in storage/atomic_file.h.
FileSystem& DiskFileSystem();

}  // namespace pc::storage
