#include "platform/temp_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <mutex>

namespace pc::platform {
namespace {

constexpr std::string_view kPrefix = ".~pc";
constexpr std::string_view kSuffix = ".tmp";

// The paths to remove when a terminating signal arrives. A fixed table of
// fixed buffers: the handler may only read memory that is never freed.
struct Slot {
  std::atomic<int> state{0};  // 0 free, 1 being changed, 2 holds a path
  char path[4096];
};
constexpr std::size_t kSlots = 64;
std::array<Slot, kSlots> g_slots;

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

void RemoveOnSignal(int sig) {
  const int saved = errno;
  for (Slot& slot : g_slots)
    if (slot.state.load(std::memory_order_acquire) == 2) ::unlink(slot.path);
  errno = saved;
  // The handler was installed with SA_RESETHAND: the signal now ends the
  // process as it would have, once this handler returns.
  ::raise(sig);
}

void InstallSignalHandlers() {
  static std::once_flag once;
  std::call_once(once, [] {
    for (int sig : kSignals) {
      struct sigaction current {};
      if (::sigaction(sig, nullptr, &current) != 0 || current.sa_handler != SIG_DFL) continue;
      struct sigaction action {};
      action.sa_handler = RemoveOnSignal;
      sigemptyset(&action.sa_mask);
      for (int other : kSignals) sigaddset(&action.sa_mask, other);
      action.sa_flags = SA_RESETHAND;
      ::sigaction(sig, &action, nullptr);
    }
  });
}

// Taken by the threads that change the table; the handler never takes it
// and only reads slots in state 2.
std::mutex g_slots_mutex;

void Remember(const std::string& path) {
  if (path.size() >= sizeof(Slot::path)) return;
  std::lock_guard<std::mutex> lock(g_slots_mutex);
  for (Slot& slot : g_slots) {
    if (slot.state.load(std::memory_order_relaxed) != 0) continue;
    slot.state.store(1, std::memory_order_relaxed);
    std::memcpy(slot.path, path.c_str(), path.size() + 1);
    slot.state.store(2, std::memory_order_release);
    return;
  }
  // More saves at once than slots: this one is only removed by a later save.
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::atomic<unsigned> g_counter{0};

}  // namespace

bool IsTemporaryFileName(std::string_view name) {
  if (name.size() <= kPrefix.size() + kSuffix.size() || name.substr(0, kPrefix.size()) != kPrefix ||
      name.substr(name.size() - kSuffix.size()) != kSuffix)
    return false;
  const std::string_view middle =
      name.substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
  for (char c : middle)
    if ((c < '0' || c > '9') && c != '-') return false;
  return true;
}

int RemoveStaleTemporaryFiles(const std::string& folder, int min_age_seconds) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return 0;
  const int dir_fd = ::dirfd(dir);
  const std::time_t now = std::time(nullptr);
  int removed = 0;
  while (const dirent* entry = ::readdir(dir)) {
    if (!IsTemporaryFileName(entry->d_name)) continue;
    const int fd = ::openat(dir_fd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) continue;
    struct stat st {};
    // A file still held by its writer is locked; a fresh one may be about
    // to be locked by a writer that has only just created it.
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && now - st.st_mtime >= min_age_seconds &&
        ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      if (::unlinkat(dir_fd, entry->d_name, 0) == 0) ++removed;
    }
    ::close(fd);
  }
  ::closedir(dir);
  return removed;
}

std::optional<TemporaryFile> CreateTemporaryBeside(const std::string& target, unsigned mode) {
  InstallSignalHandlers();
  const std::string folder = FolderOf(target);
  RemoveStaleTemporaryFiles(folder);
  const std::string base = (folder == "/" ? std::string() : folder) + "/" + std::string(kPrefix) +
                           std::to_string(::getpid()) + "-";
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string path = base + std::to_string(g_counter.fetch_add(1)) + std::string(kSuffix);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return std::nullopt;
    }
    ::flock(fd, LOCK_EX | LOCK_NB);
    Remember(path);
    ::fchmod(fd, static_cast<mode_t>(mode));
    return TemporaryFile{fd, std::move(path)};
  }
  errno = EEXIST;
  return std::nullopt;
}

void ForgetTemporaryFile(const std::string& path) {
  std::lock_guard<std::mutex> lock(g_slots_mutex);
  for (Slot& slot : g_slots) {
    if (slot.state.load(std::memory_order_relaxed) != 2 || path != slot.path) continue;
    slot.state.store(0, std::memory_order_release);
    return;
  }
}

}  // namespace pc::platform
