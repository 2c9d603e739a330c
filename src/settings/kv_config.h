// TKVConfig: every per-user setting of the program, read from the registry
// once at start-up (Load) and written back once when the main window closes
// (Save). Between those the fields are read and changed directly.
//
// Thread use: the update worker reads the plain fields it needs from its own
// thread (it copies the proxy settings when it starts) and rebuilds the two
// update lists while the main thread reads them. The plain fields have no
// lock; the two lists have one, and their entries are shared immutable
// objects that stay valid for whoever still holds them.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"
#include "platform/system_proxy.h"
#include "settings/index_info_records.h"
#include "settings/proxy_info.h"

namespace pc::settings {

// Registry key paths of the settings.
inline constexpr std::string_view kSettingsRoot = "\\Software\\PrijsCorrectum\\2006";
inline constexpr std::string_view kMainWindowKey = "\\Software\\PrijsCorrectum\\2006\\MainWindow";
inline constexpr std::string_view kAppKey = "\\Software\\PrijsCorrectum\\2006\\App";
inline constexpr std::string_view kUpdateKey = "\\Software\\PrijsCorrectum\\2006\\Update";
inline constexpr std::string_view kProxyKey = "\\Software\\PrijsCorrectum\\2006\\Update\\Proxy";
inline constexpr std::string_view kAvailOnlineIndicesKey = "\\Software\\PrijsCorrectum\\2006\\AvailOnlineIndices";
inline constexpr std::string_view kDownloadedIndexInfoKey = "\\Software\\PrijsCorrectum\\2006\\DownloadedIndexInfo";
inline constexpr std::string_view kRecentProjectsKey = "\\Software\\PrijsCorrectum\\2006\\RecentProjects";

inline constexpr std::size_t kMaxRecentProjects = 10;
inline constexpr std::string_view kDefaultIndexFileName = "Indices.kvi";

// One line of a snapshot of the downloaded-index list: the file name and
// the entry it named when the snapshot was taken.
struct DownloadedIndexSnapshotLine {
  std::string FileName;
  DownloadedIndexInfoPtr entry;
};
using DownloadedIndexSnapshot = std::vector<DownloadedIndexSnapshotLine>;

// Replaces, in every project document held, each reference to `oldEntry`
// by `newEntry` (which may be null).
using RelinkOnlineInfoFn =
    std::function<void(const DownloadedIndexInfoPtr& oldEntry, const DownloadedIndexInfoPtr& newEntry)>;

class TKVConfig {
 public:
  // Where the machine-dependent defaults come from. `programFolder` is the
  // folder of the program file (no trailing separator), the last resort for
  // the index folder; `updatesFolder` is where downloaded set-up files wait.
  struct Context {
    platform::Registry& registry;
    const platform::SystemProxy& systemProxy;
    std::string programFolder;
    std::string updatesFolder;
  };

  explicit TKVConfig(Context context);
  TKVConfig(const TKVConfig&) = delete;
  TKVConfig& operator=(const TKVConfig&) = delete;

  // The user's home folder (platform::HomeFolder of the process), against
  // which Load resolves a relative centralPath; replaceable for tests.
  std::string homeFolder;

  // ---- fields ------------------------------------------------------------
  std::string centralPath;  // the index folder, ending in the separator once set
  std::string filePath;     // folder of the last project file chosen, ending in the separator

  std::uint8_t WinState = 0;  // 0 normal, 1 minimised, 2 maximised
  std::int32_t Top = 0;
  std::int32_t Left = 0;
  std::int32_t Height = 0;
  std::int32_t Width = 0;

  std::string sysEmail;
  bool Enabled = true;  // automatic updates
  bool EnabledAsked = false;
  bool SkipCoreFile = false;  // read, never written: only changed from outside the program
  std::string LoginName;
  std::string LastDownloadedCoreFile;
  std::string LastCoreFileInstalled;  // read and written back unchanged
  std::string ignoreDownloadedCoreFile;

  proxyInfoRec Proxy;

  std::vector<std::string> RecentProjects;  // full paths, oldest first

  // ---- load and save -----------------------------------------------------
  // SetDefaults, then every value the registry holds. Missing keys and
  // values, and values of another type or out of range, leave their field at
  // the default; nothing is reported.
  void Load();
  // Writes every setting and makes it durable (Registry::Flush). Returns the
  // first failure, for logging; the caller need not show anything.
  platform::RegistryResult Save();
  // The default of every field in the defaults table; the two update lists
  // and filePath are left alone.
  void SetDefaults();

  // centralPath = the common documents folder + "/PrijsCorrectum/", else the
  // common application data folder + "/PrijsCorrectum/", else the program
  // folder + "/Indices/". A shell folder counts only when it is stored as a
  // non-empty string.
  void SetDefaultIndexFolder();
  // centralPath + "Indices.kvi".
  std::string DefaultIndexFile() const;

  // Keeps at most 10 paths, oldest first. A path already in the list
  // (compared without regard to case) changes nothing.
  void AddRecentProject(const std::string& path);

  // ---- the update lists (thread-safe) -----------------------------------
  std::vector<KVAvailOnlineIndexRec> AvailOnlineIndices() const;  // a copy
  std::vector<DownloadedIndexInfoPtr> DownloadedIndexInfo() const;  // a copy of the list
  void ClearAvailOnlineIndices();
  void ClearDownloadedIndexInfo();
  void AddAvailOnlineIndex(KVAvailOnlineIndexRec entry);
  // Appends the entry and returns the shared object now in the list.
  DownloadedIndexInfoPtr AddDownloadedIndexInfo(KVDownloadedIndexInfoRec entry);
  // Replace a whole list in one step, so that readers see either the old
  // list or the new one.
  void ReplaceAvailOnlineIndices(std::vector<KVAvailOnlineIndexRec> entries);
  void ReplaceDownloadedIndexInfo(std::vector<KVDownloadedIndexInfoRec> entries);

  // The first entry whose FileName equals `fileName` without regard to case;
  // null when none.
  DownloadedIndexInfoPtr FindDownloadedIndexInfo(std::string_view fileName) const;
  // `entry` itself while it is still in the list, otherwise null.
  DownloadedIndexInfoPtr IsDownloadedIndexInfo(const KVDownloadedIndexInfoRec* entry) const;
  // Appends one line per entry: its FileName and the entry.
  void SnapshotDownloadedIndexInfo(DownloadedIndexSnapshot& strings) const;
  // For every line of `strings`, calls relink(line's entry, the current entry
  // of the same FileName or null). The lock is not held during the calls.
  void RelinkDownloadedIndexInfo(const DownloadedIndexSnapshot& strings, const RelinkOnlineInfoFn& relink) const;

  // ---- system proxy and set-up files ------------------------------------
  // Reads the system's proxy setting: `enabled` when a named proxy is set,
  // host and port text from its list (see SplitProxyList). False when the
  // setting could not be read; host and port are then empty, enabled false.
  bool QuerySystemProxy(bool& enabled, std::string& host, std::string& port) const;
  // Takes the system proxy into Proxy.Enabled, Host and Port; when it is on,
  // ProxyKind becomes HttpProxy and LogonNeeded false (User and Pass are
  // kept). A port text that is not a number in 1..65535 keeps the old Port.
  // Returns what the query returned; when it failed nothing is changed.
  bool ImportSystemProxy();
  // True when a downloaded set-up file waits to be offered; path names it
  // (update folder + "/" + LastDownloadedCoreFile), else path is empty. A
  // file that has gone clears LastDownloadedCoreFile.
  bool PendingCoreFile(std::string& path);
  // The set-up file the user set aside (see ignoreDownloadedCoreFile) when it
  // still exists, else empty.
  void IgnoredCoreFile(std::string& path) const;

 private:
  void LoadList(std::string_view keyPath, bool downloaded);
  platform::RegistryResult SaveLists();

  Context context_;
  mutable std::mutex lists_mutex_;
  std::vector<KVAvailOnlineIndexRec> avail_online_;
  std::vector<DownloadedIndexInfoPtr> downloaded_;
};

}  // namespace pc::settings
