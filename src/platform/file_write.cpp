#include "platform/file_write.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/temp_files.h"
#include "platform/write_safety.h"

namespace pc::platform {
namespace {

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

}  // namespace

FileWriteResult WriteFileReplacing(const std::string& path, std::string_view bytes, unsigned mode) {
  IgnoreFileSizeSignal();
  auto temp = CreateTemporaryBeside(path, mode);
  if (!temp) return FileWriteResult::CreateFailed;
  auto drop = [&temp] {
    ::unlink(temp->path.c_str());
    ForgetTemporaryFile(temp->path);
    ::close(temp->fd);
  };
  if (!WriteAll(temp->fd, bytes) || ::fsync(temp->fd) != 0) {
    drop();
    return FileWriteResult::WriteFailed;
  }
  if (::rename(temp->path.c_str(), path.c_str()) != 0) {
    drop();
    return FileWriteResult::ReplaceFailed;
  }
  ForgetTemporaryFile(temp->path);
  ::close(temp->fd);
  // The rename itself becomes durable with the folder.
  const int dir = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return FileWriteResult::Ok;
}

std::unique_ptr<ExclusiveFile> ExclusiveFile::CreateLocked(const std::string& path) {
  if (path.empty()) return nullptr;
  IgnoreFileSizeSignal();
  // Not truncated on opening: a file another run holds must stay whole.
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOCTTY, 0644);
  if (fd < 0) return nullptr;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return nullptr;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || (S_ISREG(st.st_mode) && ::ftruncate(fd, 0) != 0)) {
    ::close(fd);
    return nullptr;
  }
  return std::unique_ptr<ExclusiveFile>(new ExclusiveFile(path, fd));
}

ExclusiveFile::~ExclusiveFile() {
  if (fd_ >= 0) ::close(fd_);  // closing releases the lock
}

bool ExclusiveFile::Write(std::string_view bytes) { return fd_ >= 0 && WriteAll(fd_, bytes); }

}  // namespace pc::platform
