#include "platform/folders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

namespace pc::platform {
namespace {

bool IsAbsolute(const std::string& path) { return !path.empty() && path.front() == '/'; }

std::string StripTrailingSeparators(std::string path) {
  while (path.size() > 1 && path.back() == kPathSeparator) path.pop_back();
  return path;
}

// $variable when it holds an absolute path, else the home folder +
// fallback, else "".
std::string XdgFolder(const Environment& env, std::string_view variable, std::string_view homeFallback) {
  if (auto value = env.Get(variable); value && IsAbsolute(*value)) return StripTrailingSeparators(*value);
  const std::string home = HomeFolder(env);
  return home.empty() ? std::string() : JoinPath(home, homeFallback);
}

}  // namespace

std::string HomeFolder(const Environment& env) {
  if (auto home = env.Get("HOME"); home && IsAbsolute(*home)) return StripTrailingSeparators(*home);
  if (auto home = env.AccountHome(); home && IsAbsolute(*home)) return StripTrailingSeparators(*home);
  return {};
}

ShellFolders XdgShellFolders(const Environment& env) {
  ShellFolders folders;
  folders.commonDocuments = XdgFolder(env, "XDG_DATA_HOME", ".local/share");
  folders.commonAppData = XdgFolder(env, "XDG_STATE_HOME", ".local/state");
  return folders;
}

std::string ConfigHome(const Environment& env) { return XdgFolder(env, "XDG_CONFIG_HOME", ".config"); }

std::string TempFolder(const Environment& env) {
  std::string folder = "/tmp";
  if (auto value = env.Get("TMPDIR"); value && IsAbsolute(*value)) folder = StripTrailingSeparators(*value);
  if (folder.back() != kPathSeparator) folder += kPathSeparator;
  return folder;
}

std::string TempFolder() { return TempFolder(ProcessEnvironment()); }

std::string ProgramFolder() {
  char buffer[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return ".";
  std::string path(buffer, static_cast<std::size_t>(n));
  const std::size_t slash = path.rfind(kPathSeparator);
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  path.resize(slash);
  return path;
}

ProgramDataFolders MakeProgramDataFolders(std::string_view commonAppData, std::string_view programFolder) {
  ProgramDataFolders folders;
  if (commonAppData.empty()) {
    folders.baseFolder = std::string(programFolder);
  } else {
    folders.baseFolder = JoinPath(commonAppData, "PrijsCorrectum");
    CreateFolderWithParents(folders.baseFolder);
  }
  folders.UpdatesFolder = JoinPath(folders.baseFolder, "Updates");
  folders.LogFolder = JoinPath(folders.baseFolder, "AutoUpdateLog");
  return folders;
}

const ProgramDataFolders& ProgramData() {
  static const ProgramDataFolders folders =
      MakeProgramDataFolders(XdgShellFolders(ProcessEnvironment()).commonAppData, ProgramFolder());
  return folders;
}

const std::string& UpdatesFolder() { return ProgramData().UpdatesFolder; }
const std::string& LogFolder() { return ProgramData().LogFolder; }

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  while (!name.empty() && name.front() == kPathSeparator) name.remove_prefix(1);
  if (path.empty() || path.back() != kPathSeparator) path += kPathSeparator;
  path += name;
  return path;
}

bool CreateFolderWithParents(const std::string& path) {
  if (path.empty()) return false;
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  // Make every missing folder from the top down; a folder another process
  // makes meanwhile (EEXIST) is fine.
  for (std::size_t pos = 1; pos <= path.size(); ++pos) {
    if (pos != path.size() && path[pos] != kPathSeparator) continue;
    const std::string part = path.substr(0, pos);
    if (::mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) return false;
  }
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool FileExists(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(path.c_str(), &st) == 0;
}

}  // namespace pc::platform
