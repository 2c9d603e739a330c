#include "storage/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <filesystem>

#include "storage/atomic_file.h"

namespace pc::storage {
namespace {

class DiskReadableFile final : public ReadableFile {
 public:
  explicit DiskReadableFile(int fd) : fd_(fd) {}
  ~DiskReadableFile() override { ::close(fd_); }
  long Read(char* buffer, std::size_t size) override {
    for (;;) {
      const ssize_t n = ::read(fd_, buffer, size);
      if (n < 0 && errno == EINTR) continue;
      return n < 0 ? -1 : static_cast<long>(n);
    }
  }

 private:
  int fd_;
};

class Disk final : public FileSystem {
 public:
  bool DirectoryExists(const std::string& path) override {
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
  }
  bool FileExists(const std::string& path) override {
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0;
  }
  bool CreateDirectories(const std::string& path) override {
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    return DirectoryExists(path);
  }
  std::unique_ptr<ReadableFile> OpenForRead(const std::string& path) override {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat st{};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
      ::close(fd);
      return nullptr;
    }
    return std::make_unique<DiskReadableFile>(fd);
  }
  std::unique_ptr<WritableFile> CreateReplacement(const std::string& path) override {
    return AtomicFileWriter::Create(path);
  }
};

}  // namespace

FileSystem& DiskFileSystem() {
  static Disk disk;
  return disk;
}

}  // namespace pc::storage
