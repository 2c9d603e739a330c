#pragma once
// A file system that passes everything to the real disk but can be told to
// fail one step: creating the replacement, the n-th append, the commit, or
// a read after some blocks.
#include <memory>
#include <string>

#include "storage/file_system.h"

namespace pc::storage::testing {

class FaultFileSystem final : public FileSystem {
 public:
  int fail_append_at = 0;      // 1 = the first Append fails; 0 = never
  bool fail_commit = false;
  bool fail_create = false;
  int fail_read_at = 0;        // 1 = the first Read fails; 0 = never
  int appends = 0;

  bool DirectoryExists(const std::string& p) override { return disk().DirectoryExists(p); }
  bool FileExists(const std::string& p) override { return disk().FileExists(p); }
  bool CreateDirectories(const std::string& p) override { return disk().CreateDirectories(p); }
  std::unique_ptr<ReadableFile> OpenForRead(const std::string& p) override {
    auto inner = disk().OpenForRead(p);
    if (!inner) return nullptr;
    return std::make_unique<Reader>(std::move(inner), fail_read_at);
  }
  std::unique_ptr<WritableFile> CreateReplacement(const std::string& p) override {
    if (fail_create) return nullptr;
    auto inner = disk().CreateReplacement(p);
    if (!inner) return nullptr;
    return std::make_unique<Writer>(std::move(inner), *this);
  }

 private:
  static FileSystem& disk() { return DiskFileSystem(); }

  class Reader final : public ReadableFile {
   public:
    Reader(std::unique_ptr<ReadableFile> inner, int fail_at) : inner_(std::move(inner)), fail_at_(fail_at) {}
    long Read(char* b, std::size_t n) override {
      if (++reads_ == fail_at_) return -1;
      return inner_->Read(b, n);
    }

   private:
    std::unique_ptr<ReadableFile> inner_;
    int fail_at_;
    int reads_ = 0;
  };

  class Writer final : public WritableFile {
   public:
    Writer(std::unique_ptr<WritableFile> inner, FaultFileSystem& fs) : inner_(std::move(inner)), fs_(fs) {}
    bool Append(std::string_view b) override {
      if (++fs_.appends == fs_.fail_append_at) return false;
      return inner_->Append(b);
    }
    bool Commit() override { return !fs_.fail_commit && inner_->Commit(); }

   private:
    std::unique_ptr<WritableFile> inner_;
    FaultFileSystem& fs_;
  };
};

}  // namespace pc::storage::testing
