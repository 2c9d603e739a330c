#include "storage/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "platform/temp_files.h"
#include "platform/write_safety.h"

namespace pc::storage {
namespace {

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Makes the rename itself durable; a failure here does not undo the save.
void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}

// The file a save replaces: a symbolic link is followed, so that the file
// it names gets the new contents and the link stays.
std::string ReplacedFile(const std::string& path) {
  struct stat st{};
  if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
  char* target = ::realpath(path.c_str(), nullptr);
  if (target == nullptr) return path;  // a dangling link is replaced itself
  std::string resolved(target);
  std::free(target);
  return resolved;
}

}  // namespace

AtomicFileWriter::AtomicFileWriter(std::string path, std::string temp_path, int fd)
    : path_(std::move(path)), temp_path_(std::move(temp_path)), fd_(fd) {}

std::unique_ptr<AtomicFileWriter> AtomicFileWriter::Create(const std::string& requested) {
  if (requested.empty() || requested.back() == '/') return nullptr;
  platform::IgnoreFileSizeSignal();
  const std::string path = ReplacedFile(requested);
  mode_t mode = 0644;
  struct stat st{};
  if (::stat(path.c_str(), &st) == 0) {
    if (!S_ISREG(st.st_mode)) return nullptr;  // never replace a folder or device
    // A write-protected file is not replaced, even where the folder allows it.
    if ((st.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0) return nullptr;
    mode = st.st_mode & 07777;
  }
  auto temp = platform::CreateTemporaryBeside(path, mode);
  if (!temp) return nullptr;
  return std::unique_ptr<AtomicFileWriter>(new AtomicFileWriter(path, std::move(temp->path), temp->fd));
}

AtomicFileWriter::~AtomicFileWriter() { Discard(); }

void AtomicFileWriter::Discard() {
  if (done_) return;
  done_ = true;
  ::unlink(temp_path_.c_str());
  platform::ForgetTemporaryFile(temp_path_);
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool AtomicFileWriter::Append(std::string_view bytes) {
  if (done_ || error_ != AtomicWriteResult::Ok) return false;
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error_ = AtomicWriteResult::WriteFailed;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

bool AtomicFileWriter::Prepare() {
  if (done_ || error_ != AtomicWriteResult::Ok) {
    Discard();
    return false;
  }
  if (prepared_) return true;
  if (::fsync(fd_) != 0) {
    error_ = AtomicWriteResult::WriteFailed;
    Discard();
    return false;
  }
  prepared_ = true;
  return true;
}

bool AtomicFileWriter::Commit() {
  if (!Prepare()) return false;
  // The file stays open, and locked, until it is in place.
  if (::rename(temp_path_.c_str(), path_.c_str()) != 0) {
    error_ = AtomicWriteResult::ReplaceFailed;
    Discard();
    return false;
  }
  done_ = true;
  platform::ForgetTemporaryFile(temp_path_);
  ::close(fd_);
  fd_ = -1;
  SyncFolder(FolderOf(path_));
  return true;
}

AtomicWriteResult WriteFileAtomically(const std::string& path, std::string_view bytes) {
  auto writer = AtomicFileWriter::Create(path);
  if (!writer) return AtomicWriteResult::CreateFailed;
  if (!writer->Append(bytes) || !writer->Commit()) return writer->LastError();
  return AtomicWriteResult::Ok;
}

}  // namespace pc::storage
