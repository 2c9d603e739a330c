#pragma once
// A file system whose replacement files are written and flushed but put in
// place only together, by CommitAll(): several files that belong together
// (a project and its index file) are then either all replaced or none is,
// as far as renames in place allow. Everything else is the disk's.
#include <memory>
#include <string>
#include <vector>

#include "storage/atomic_file.h"
#include "storage/file_system.h"

namespace pc::storage {

class StagedFileSystem final : public FileSystem {
 public:
  StagedFileSystem() = default;
  StagedFileSystem(const StagedFileSystem&) = delete;
  StagedFileSystem& operator=(const StagedFileSystem&) = delete;
  // Files never committed are removed; their targets stay as they were.
  ~StagedFileSystem() override = default;

  bool DirectoryExists(const std::string& path) override;
  bool FileExists(const std::string& path) override;
  bool CreateDirectories(const std::string& path) override;
  std::unique_ptr<ReadableFile> OpenForRead(const std::string& path) override;
  // The writer's Commit() only makes the file ready; null for a path that
  // already has a file waiting.
  std::unique_ptr<WritableFile> CreateReplacement(const std::string& path) override;

  // Puts every ready file in place, in the order they were made ready.
  // Returns the path of the first that could not be put in place (the ones
  // after it are dropped), or an empty text when all were.
  std::string CommitAll();

 private:
  class StagedWriter;
  void Release(const std::string& path);
  struct Ready {
    std::string path;
    std::unique_ptr<AtomicFileWriter> writer;
  };
  std::vector<Ready> ready_;
  std::vector<std::string> open_paths_;
};

}  // namespace pc::storage
