#include "storage/staged_file_system.h"

#include <algorithm>

namespace pc::storage {

class StagedFileSystem::StagedWriter final : public WritableFile {
 public:
  StagedWriter(StagedFileSystem& owner, std::string path, std::unique_ptr<AtomicFileWriter> writer)
      : owner_(owner), path_(std::move(path)), writer_(std::move(writer)) {}
  ~StagedWriter() override {
    if (writer_) owner_.Release(path_);
  }

  bool Append(std::string_view bytes) override { return writer_ && writer_->Append(bytes); }

  bool Commit() override {
    if (!writer_ || !writer_->Prepare()) return false;
    owner_.ready_.push_back(Ready{path_, std::move(writer_)});
    owner_.Release(path_);
    return true;
  }

 private:
  StagedFileSystem& owner_;
  std::string path_;
  std::unique_ptr<AtomicFileWriter> writer_;
};

void StagedFileSystem::Release(const std::string& path) {
  const auto it = std::find(open_paths_.begin(), open_paths_.end(), path);
  if (it != open_paths_.end()) open_paths_.erase(it);
}

bool StagedFileSystem::DirectoryExists(const std::string& path) {
  return DiskFileSystem().DirectoryExists(path);
}

bool StagedFileSystem::FileExists(const std::string& path) { return DiskFileSystem().FileExists(path); }

bool StagedFileSystem::CreateDirectories(const std::string& path) {
  return DiskFileSystem().CreateDirectories(path);
}

std::unique_ptr<ReadableFile> StagedFileSystem::OpenForRead(const std::string& path) {
  return DiskFileSystem().OpenForRead(path);
}

std::unique_ptr<WritableFile> StagedFileSystem::CreateReplacement(const std::string& path) {
  const bool waiting =
      std::find(open_paths_.begin(), open_paths_.end(), path) != open_paths_.end() ||
      std::any_of(ready_.begin(), ready_.end(), [&](const Ready& r) { return r.path == path; });
  if (waiting) return nullptr;
  auto writer = AtomicFileWriter::Create(path);
  if (!writer) return nullptr;
  open_paths_.push_back(path);
  return std::make_unique<StagedWriter>(*this, path, std::move(writer));
}

std::string StagedFileSystem::CommitAll() {
  std::string failed;
  for (Ready& r : ready_) {
    if (failed.empty() && !r.writer->Commit()) failed = r.path;
    r.writer.reset();  // removes the temporary file when it was not put in place
  }
  ready_.clear();
  return failed;
}

}  // namespace pc::storage
