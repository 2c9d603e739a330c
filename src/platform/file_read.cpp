#include "platform/file_read.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace pc::platform {

FileReadResult ReadFileLimited(const std::string& path, std::size_t limit, std::string& out) {
  out.clear();
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return errno == ENOENT ? FileReadResult::Missing
                                                              : FileReadResult::OpenFailed;
  if (S_ISDIR(st.st_mode)) return FileReadResult::OpenFailed;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return FileReadResult::OpenFailed;
  FileReadResult result = FileReadResult::Ok;
  char buffer[65536];
  for (;;) {
    const std::size_t want = std::min(sizeof buffer, limit + 1 - out.size());
    const ssize_t n = ::read(fd, buffer, want);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      result = FileReadResult::ReadFailed;
      break;
    }
    if (n == 0) break;
    out.append(buffer, static_cast<std::size_t>(n));
    if (out.size() > limit) {
      result = FileReadResult::TooLarge;
      break;
    }
  }
  ::close(fd);
  if (result != FileReadResult::Ok) {
    out.clear();
    out.shrink_to_fit();
  }
  return result;
}

}  // namespace pc::platform
