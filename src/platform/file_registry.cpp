#include "platform/file_registry.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_write.h"

namespace pc::platform {
namespace {

// Far beyond any real settings file; a larger one is not read at all.
constexpr std::size_t kMaxSettingsFileSize = 64u << 20;

enum class ReadOutcome { Ok, Missing, Failed };

ReadOutcome ReadWholeFile(const std::string& path, std::string& text) {
  text.clear();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? ReadOutcome::Missing : ReadOutcome::Failed;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || static_cast<std::size_t>(st.st_size) > kMaxSettingsFileSize) {
    ::close(fd);
    return ReadOutcome::Failed;
  }
  char buffer[16384];
  while (true) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      return ReadOutcome::Failed;
    }
    if (n == 0) break;
    text.append(buffer, static_cast<std::size_t>(n));
    if (text.size() > kMaxSettingsFileSize) {
      ::close(fd);
      return ReadOutcome::Failed;
    }
  }
  ::close(fd);
  return ReadOutcome::Ok;
}

// The settings folder holds the proxy password: only its owner may look in.
bool MakeSettingsFolder(const std::string& file) {
  const std::size_t slash = file.rfind(kPathSeparator);
  if (slash == std::string::npos || slash == 0) return true;
  const std::string folder = file.substr(0, slash);
  if (FileExists(folder)) return true;
  const std::size_t parentEnd = folder.rfind(kPathSeparator);
  if (parentEnd != std::string::npos && parentEnd > 0 && !CreateFolderWithParents(folder.substr(0, parentEnd))) {
    return false;
  }
  return ::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

}  // namespace

FileRegistry::FileRegistry(std::string file, const ShellFolders& folders) : file_(std::move(file)) {
  if (!folders.commonDocuments.empty()) {
    machine_.SetString(kShellFoldersKey, kCommonDocumentsValue, folders.commonDocuments);
  }
  if (!folders.commonAppData.empty()) {
    machine_.SetString(kShellFoldersKey, kCommonAppDataValue, folders.commonAppData);
  }

  std::string text;
  switch (file_.empty() ? ReadOutcome::Failed : ReadWholeFile(file_, text)) {
    case ReadOutcome::Missing:
      state_ = SettingsFileState::Missing;
      break;
    case ReadOutcome::Failed:
      state_ = SettingsFileState::Unreadable;
      break;
    case ReadOutcome::Ok:
      state_ = DecodeSettingsFile(text, user_);
      if (state_ == SettingsFileState::Damaged) damaged_text_ = std::move(text);
      break;
  }
  flushed_changes_ = user_.ChangeCount();
}

RegistryResult FileRegistry::OpenKey(RegistryRoot root, std::string_view path, KeyAccess access,
                                     std::unique_ptr<RegistryKey>& key) {
  key.reset();
  const bool machine = root == RegistryRoot::LocalMachine;
  if (machine && access == KeyAccess::Create) return RegistryResult::AccessDenied;
  RegistryTree& tree = machine ? machine_ : user_;
  const RegistryResult r = tree.OpenKey(path, access == KeyAccess::Create);
  if (r != RegistryResult::Ok) return r;
  key = MakeTreeKey(tree, std::string(path), !machine && access != KeyAccess::ReadOnly);
  return RegistryResult::Ok;
}

RegistryResult FileRegistry::DeleteKey(RegistryRoot root, std::string_view path) {
  if (root == RegistryRoot::LocalMachine) return RegistryResult::AccessDenied;
  return user_.DeleteKey(path);
}

RegistryResult FileRegistry::Flush() {
  std::lock_guard lock(flush_mutex_);
  if (state_ == SettingsFileState::Unreadable) return RegistryResult::AccessDenied;
  const std::uint64_t changes = user_.ChangeCount();
  if (changes == flushed_changes_) return RegistryResult::Ok;
  if (!MakeSettingsFolder(file_)) return RegistryResult::WriteFailed;
  if (state_ == SettingsFileState::Damaged && !damaged_text_.empty()) {
    // What could not be read may still matter to whoever repairs it.
    if (WriteFileReplacing(file_ + ".damaged", damaged_text_, 0600) != FileWriteResult::Ok) {
      return RegistryResult::WriteFailed;
    }
    damaged_text_.clear();
  }
  if (WriteFileReplacing(file_, EncodeSettingsFile(user_), 0600) != FileWriteResult::Ok) {
    return RegistryResult::WriteFailed;
  }
  flushed_changes_ = changes;
  state_ = SettingsFileState::Loaded;
  return RegistryResult::Ok;
}

std::string DefaultSettingsFile(const Environment& env) {
  const std::string home = ConfigHome(env);
  if (home.empty()) return {};
  return JoinPath(JoinPath(home, "PrijsCorrectum"), "settings.json");
}

}  // namespace pc::platform
