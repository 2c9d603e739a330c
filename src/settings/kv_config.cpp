#include "settings/kv_config.h"

#include <algorithm>
#include <charconv>
#include <memory>
#include <utility>

#include "common/text_routines.h"
#include "platform/folders.h"
#include "settings/password_scramble.h"
#include "settings/proxy_list.h"
#include "settings/settings_layout.h"

namespace pc::settings {
namespace {

using platform::KeyAccess;
using platform::RegistryKey;
using platform::RegistryResult;
using platform::RegistryRoot;

std::unique_ptr<RegistryKey> OpenExisting(platform::Registry& registry, std::string_view path) {
  std::unique_ptr<RegistryKey> key;
  registry.OpenKey(RegistryRoot::CurrentUser, path, KeyAccess::ReadOnly, key);
  return key;
}

// The number n of a name "<prefix>n" written as the registry numbers
// entries: decimal, no sign, no leading zeros. The prefix is matched
// without regard to case, as registry names are.
bool EntryNumber(std::string_view name, std::string_view prefix, std::uint32_t& n) {
  if (name.size() <= prefix.size() || !SameTextIgnoringCase(name.substr(0, prefix.size()), prefix)) return false;
  const std::string_view digits = name.substr(prefix.size());
  if (digits.size() > 1 && digits.front() == '0') return false;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
  return ec == std::errc() && end == digits.data() + digits.size();
}

// The entries numbered below `count`, in number order. Entries the count
// names but that are missing are skipped, so a damaged count cannot make
// the loading run through billions of absent names.
std::vector<std::string> NumberedNames(const std::vector<std::string>& names, std::string_view prefix,
                                       std::uint32_t count) {
  std::vector<std::pair<std::uint32_t, std::string>> numbered;
  for (const auto& name : names) {
    std::uint32_t n = 0;
    if (EntryNumber(name, prefix, n) && n < count) numbered.emplace_back(n, name);
  }
  std::sort(numbered.begin(), numbered.end());
  std::vector<std::string> out;
  for (auto& [n, name] : numbered) out.push_back(std::move(name));
  return out;
}

std::uint32_t ReadCount(const RegistryKey& key) {
  std::uint32_t count = 0;
  key.ReadDWord("Count", count);
  return count;
}

void ReadSetting(const RegistryKey& key, const SettingSpec& spec, TKVConfig& config) {
  const SettingField field = spec.field(config);
  if (spec.form == SettingForm::Text || spec.form == SettingForm::Password) {
    std::string text;
    if (key.ReadString(spec.valueName, text) != RegistryResult::Ok) return;
    *std::get<std::string*>(field) = spec.form == SettingForm::Password ? ScramblePassword(text) : text;
    return;
  }
  std::uint32_t number = 0;
  if (key.ReadDWord(spec.valueName, number) != RegistryResult::Ok) return;
  switch (spec.form) {
    case SettingForm::Flag:
      *std::get<bool*>(field) = number != 0;
      break;
    case SettingForm::Integer:
      *std::get<std::int32_t*>(field) = static_cast<std::int32_t>(number);
      break;
    case SettingForm::Byte:
      if (number <= 0xFF) *std::get<std::uint8_t*>(field) = static_cast<std::uint8_t>(number);
      break;
    case SettingForm::ProxyKind:
      if (number <= 3) *std::get<TProxyKind*>(field) = static_cast<TProxyKind>(number);
      break;
    case SettingForm::Text:
    case SettingForm::Password:
      break;
  }
}

RegistryResult WriteSetting(RegistryKey& key, const SettingSpec& spec, TKVConfig& config) {
  const SettingField field = spec.field(config);
  switch (spec.form) {
    case SettingForm::Text:
      return key.WriteString(spec.valueName, *std::get<std::string*>(field));
    case SettingForm::Password:
      return key.WriteString(spec.valueName, ScramblePassword(*std::get<std::string*>(field)));
    case SettingForm::Flag:
      return key.WriteDWord(spec.valueName, *std::get<bool*>(field) ? 1u : 0u);
    case SettingForm::Integer:
      return key.WriteDWord(spec.valueName, static_cast<std::uint32_t>(*std::get<std::int32_t*>(field)));
    case SettingForm::Byte:
      return key.WriteDWord(spec.valueName, *std::get<std::uint8_t*>(field));
    case SettingForm::ProxyKind:
      return key.WriteDWord(spec.valueName, static_cast<std::uint32_t>(*std::get<TProxyKind*>(field)));
  }
  return RegistryResult::Ok;
}

void EnsureTrailingSeparator(std::string& folder) {
  if (!folder.empty() && folder.back() != platform::kPathSeparator) folder += platform::kPathSeparator;
}

// Remembers the first failure of a series of calls.
struct FirstFailure {
  RegistryResult result = RegistryResult::Ok;
  void operator()(RegistryResult r) {
    if (result == RegistryResult::Ok) result = r;
  }
};

}  // namespace

TKVConfig::TKVConfig(Context context)
    : homeFolder(platform::HomeFolder(platform::ProcessEnvironment())), context_(std::move(context)) {}

void TKVConfig::SetDefaults() {
  for (const SettingSpec& spec : SettingsLayout()) {
    if (!spec.hasDefault) continue;
    std::visit(
        [&](auto* field) {
          using T = std::remove_pointer_t<decltype(field)>;
          if constexpr (std::is_same_v<T, std::string>) {
            field->clear();
          } else if constexpr (std::is_same_v<T, bool>) {
            *field = spec.defaultNumber != 0;
          } else {
            *field = static_cast<T>(spec.defaultNumber);
          }
        },
        spec.field(*this));
  }
  RecentProjects.clear();
}

void TKVConfig::Load() {
  SetDefaults();
  platform::Registry& registry = context_.registry;

  bool updateOpened = false;
  for (const SettingSection section :
       {SettingSection::MainWindow, SettingSection::App, SettingSection::Update, SettingSection::Proxy}) {
    if (section == SettingSection::Proxy && !updateOpened) continue;
    const auto key = OpenExisting(registry, SectionKey(section));
    if (!key) continue;
    if (section == SettingSection::Update) updateOpened = true;
    for (const SettingSpec& spec : SettingsLayout()) {
      if (spec.section == section) ReadSetting(*key, spec, *this);
    }
  }
  // A relative index folder means one in the home folder, wherever the
  // program happens to be started.
  if (!centralPath.empty() && centralPath.front() != '/' && !homeFolder.empty())
    centralPath = platform::JoinPath(homeFolder, centralPath);
  EnsureTrailingSeparator(centralPath);
  EnsureTrailingSeparator(filePath);

  LoadList(kAvailOnlineIndicesKey, false);
  LoadList(kDownloadedIndexInfoKey, true);

  if (const auto key = OpenExisting(registry, kRecentProjectsKey)) {
    RecentProjects.clear();
    std::vector<std::string> names;
    key->ListValues(names);
    for (const auto& name : NumberedNames(names, "item", ReadCount(*key))) {
      std::string path;
      if (key->ReadString(name, path) == RegistryResult::Ok) RecentProjects.push_back(std::move(path));
    }
  }
}

void TKVConfig::LoadList(std::string_view keyPath, bool downloaded) {
  const auto key = OpenExisting(context_.registry, keyPath);
  if (!key) return;
  std::vector<std::string> names;
  key->ListSubKeys(names);
  std::vector<KVAvailOnlineIndexRec> online;
  std::vector<DownloadedIndexInfoPtr> infos;
  for (const auto& name : NumberedNames(names, "", ReadCount(*key))) {
    const auto entryKey = OpenExisting(context_.registry, std::string(keyPath) + "\\" + name);
    if (!entryKey) continue;
    std::string fileName;
    std::string memo;
    entryKey->ReadString("FileName", fileName);
    entryKey->ReadString("Memo", memo);
    if (downloaded) {
      KVDownloadedIndexInfoRec entry{std::move(fileName), std::move(memo), {}};
      entryKey->ReadString("UrlInfo", entry.UrlInfo);
      infos.push_back(std::make_shared<const KVDownloadedIndexInfoRec>(std::move(entry)));
    } else {
      online.push_back({std::move(fileName), std::move(memo)});
    }
  }
  std::lock_guard lock(lists_mutex_);
  if (downloaded) {
    downloaded_ = std::move(infos);
  } else {
    avail_online_ = std::move(online);
  }
}

platform::RegistryResult TKVConfig::Save() {
  platform::Registry& registry = context_.registry;
  FirstFailure failure;
  for (const SettingSection section :
       {SettingSection::MainWindow, SettingSection::App, SettingSection::Update, SettingSection::Proxy}) {
    std::unique_ptr<RegistryKey> key;
    const RegistryResult opened = registry.OpenKey(RegistryRoot::CurrentUser, SectionKey(section), KeyAccess::Create, key);
    if (opened != RegistryResult::Ok) {
      failure(opened);
      continue;
    }
    for (const SettingSpec& spec : SettingsLayout()) {
      if (spec.section == section && spec.saved) failure(WriteSetting(*key, spec, *this));
    }
  }

  failure(SaveLists());

  // The recent list is written afresh, so no item of a longer earlier list
  // is left behind.
  const RegistryResult deleted = registry.DeleteKey(RegistryRoot::CurrentUser, kRecentProjectsKey);
  if (deleted != RegistryResult::NotFound) failure(deleted);
  std::unique_ptr<RegistryKey> recent;
  const RegistryResult opened = registry.OpenKey(RegistryRoot::CurrentUser, kRecentProjectsKey, KeyAccess::Create, recent);
  if (opened == RegistryResult::Ok) {
    const std::size_t count = std::min(kMaxRecentProjects, RecentProjects.size());
    failure(recent->WriteDWord("Count", static_cast<std::uint32_t>(count)));
    for (std::size_t n = 0; n < count; ++n) {
      failure(recent->WriteString("item" + std::to_string(n), RecentProjects[n]));
    }
  } else {
    failure(opened);
  }

  failure(registry.Flush());
  return failure.result;
}

platform::RegistryResult TKVConfig::SaveLists() {
  std::vector<KVAvailOnlineIndexRec> online;
  std::vector<DownloadedIndexInfoPtr> infos;
  {
    std::lock_guard lock(lists_mutex_);
    online = avail_online_;
    infos = downloaded_;
  }
  platform::Registry& registry = context_.registry;
  FirstFailure failure;
  auto writeList = [&](std::string_view keyPath, std::size_t count, auto&& writeEntry) {
    std::unique_ptr<RegistryKey> key;
    const RegistryResult opened = registry.OpenKey(RegistryRoot::CurrentUser, keyPath, KeyAccess::Create, key);
    if (opened != RegistryResult::Ok) {
      failure(opened);
      return;
    }
    failure(key->WriteDWord("Count", static_cast<std::uint32_t>(count)));
    for (std::size_t n = 0; n < count; ++n) {
      std::unique_ptr<RegistryKey> entryKey;
      const RegistryResult r = registry.OpenKey(RegistryRoot::CurrentUser,
                                                std::string(keyPath) + "\\" + std::to_string(n), KeyAccess::Create,
                                                entryKey);
      if (r != RegistryResult::Ok) {
        failure(r);
        continue;
      }
      writeEntry(*entryKey, n);
    }
  };
  writeList(kAvailOnlineIndicesKey, online.size(), [&](RegistryKey& key, std::size_t n) {
    failure(key.WriteString("FileName", online[n].FileName));
    failure(key.WriteString("Memo", online[n].Memo));
  });
  writeList(kDownloadedIndexInfoKey, infos.size(), [&](RegistryKey& key, std::size_t n) {
    failure(key.WriteString("FileName", infos[n]->FileName));
    failure(key.WriteString("Memo", infos[n]->Memo));
    failure(key.WriteString("UrlInfo", infos[n]->UrlInfo));
  });
  return failure.result;
}

void TKVConfig::SetDefaultIndexFolder() {
  std::unique_ptr<RegistryKey> key;
  if (context_.registry.OpenKey(RegistryRoot::LocalMachine, platform::kShellFoldersKey, KeyAccess::ReadOnly, key) ==
      RegistryResult::Ok) {
    for (const std::string_view valueName : {platform::kCommonDocumentsValue, platform::kCommonAppDataValue}) {
      std::string folder;
      // An empty folder would put the index files at the root of the disk.
      if (key->ReadString(valueName, folder) == RegistryResult::Ok && !folder.empty()) {
        centralPath = platform::JoinPath(folder, "PrijsCorrectum");
        EnsureTrailingSeparator(centralPath);
        return;
      }
    }
  }
  centralPath = platform::JoinPath(context_.programFolder, "Indices");
  EnsureTrailingSeparator(centralPath);
}

std::string TKVConfig::DefaultIndexFile() const { return centralPath + std::string(kDefaultIndexFileName); }

void TKVConfig::AddRecentProject(const std::string& path) {
  for (const auto& item : RecentProjects) {
    if (SameTextIgnoringCase(item, path)) return;
  }
  while (RecentProjects.size() >= kMaxRecentProjects) RecentProjects.erase(RecentProjects.begin());
  RecentProjects.push_back(path);
}

// ---- the update lists ------------------------------------------------------

std::vector<KVAvailOnlineIndexRec> TKVConfig::AvailOnlineIndices() const {
  std::lock_guard lock(lists_mutex_);
  return avail_online_;
}

std::vector<DownloadedIndexInfoPtr> TKVConfig::DownloadedIndexInfo() const {
  std::lock_guard lock(lists_mutex_);
  return downloaded_;
}

void TKVConfig::ClearAvailOnlineIndices() {
  std::lock_guard lock(lists_mutex_);
  avail_online_.clear();
}

void TKVConfig::ClearDownloadedIndexInfo() {
  std::vector<DownloadedIndexInfoPtr> old;
  {
    std::lock_guard lock(lists_mutex_);
    old.swap(downloaded_);
  }
  // `old` lets go of the entries outside the lock.
}

void TKVConfig::AddAvailOnlineIndex(KVAvailOnlineIndexRec entry) {
  std::lock_guard lock(lists_mutex_);
  avail_online_.push_back(std::move(entry));
}

DownloadedIndexInfoPtr TKVConfig::AddDownloadedIndexInfo(KVDownloadedIndexInfoRec entry) {
  auto shared = std::make_shared<const KVDownloadedIndexInfoRec>(std::move(entry));
  std::lock_guard lock(lists_mutex_);
  downloaded_.push_back(shared);
  return shared;
}

void TKVConfig::ReplaceAvailOnlineIndices(std::vector<KVAvailOnlineIndexRec> entries) {
  std::lock_guard lock(lists_mutex_);
  avail_online_.swap(entries);
}

void TKVConfig::ReplaceDownloadedIndexInfo(std::vector<KVDownloadedIndexInfoRec> entries) {
  std::vector<DownloadedIndexInfoPtr> fresh;
  fresh.reserve(entries.size());
  for (auto& e : entries) fresh.push_back(std::make_shared<const KVDownloadedIndexInfoRec>(std::move(e)));
  std::lock_guard lock(lists_mutex_);
  downloaded_.swap(fresh);
}

DownloadedIndexInfoPtr TKVConfig::FindDownloadedIndexInfo(std::string_view fileName) const {
  std::lock_guard lock(lists_mutex_);
  for (const auto& entry : downloaded_) {
    if (SameTextIgnoringCase(entry->FileName, fileName)) return entry;
  }
  return nullptr;
}

DownloadedIndexInfoPtr TKVConfig::IsDownloadedIndexInfo(const KVDownloadedIndexInfoRec* entry) const {
  if (entry == nullptr) return nullptr;
  std::lock_guard lock(lists_mutex_);
  for (const auto& e : downloaded_) {
    if (e.get() == entry) return e;
  }
  return nullptr;
}

void TKVConfig::SnapshotDownloadedIndexInfo(DownloadedIndexSnapshot& strings) const {
  std::lock_guard lock(lists_mutex_);
  for (const auto& e : downloaded_) strings.push_back({e->FileName, e});
}

void TKVConfig::RelinkDownloadedIndexInfo(const DownloadedIndexSnapshot& strings,
                                          const RelinkOnlineInfoFn& relink) const {
  if (!relink) return;
  std::vector<std::pair<DownloadedIndexInfoPtr, DownloadedIndexInfoPtr>> pairs;
  pairs.reserve(strings.size());
  for (const auto& line : strings) pairs.emplace_back(line.entry, FindDownloadedIndexInfo(line.FileName));
  for (const auto& [oldEntry, newEntry] : pairs) relink(oldEntry, newEntry);
}

// ---- system proxy and set-up files ----------------------------------------

bool TKVConfig::QuerySystemProxy(bool& enabled, std::string& host, std::string& port) const {
  enabled = false;
  host.clear();
  port.clear();
  platform::SystemProxyInfo info;
  if (!context_.systemProxy.Query(info)) return false;
  // Only a named proxy has a list to take.
  if (info.accessType != platform::ProxyAccessType::Proxy) return true;
  enabled = true;
  if (!info.proxyList.empty()) SplitProxyList(info.proxyList, host, port);
  return true;
}

bool TKVConfig::ImportSystemProxy() {
  bool enabled = false;
  std::string host;
  std::string port;
  // A setting that cannot be read leaves the connection settings as they are.
  if (!QuerySystemProxy(enabled, host, port)) return false;
  Proxy.Enabled = enabled;
  Proxy.Host = std::move(host);
  std::int32_t number = 0;
  const auto [end, ec] = std::from_chars(port.data(), port.data() + port.size(), number);
  if (ec == std::errc() && end == port.data() + port.size() && number >= 1 && number <= 65535) Proxy.Port = number;
  if (Proxy.Enabled) {
    Proxy.ProxyKind = TProxyKind::HttpProxy;
    Proxy.LogonNeeded = false;
  }
  return true;
}

bool TKVConfig::PendingCoreFile(std::string& path) {
  path.clear();
  if (SkipCoreFile || LastDownloadedCoreFile.empty() || LastDownloadedCoreFile == LastCoreFileInstalled) return false;
  const std::string candidate = platform::JoinPath(context_.updatesFolder, LastDownloadedCoreFile);
  if (!platform::FileExists(candidate)) {
    LastDownloadedCoreFile.clear();
    return false;
  }
  path = candidate;
  return ignoreDownloadedCoreFile.empty() || ignoreDownloadedCoreFile != LastDownloadedCoreFile;
}

void TKVConfig::IgnoredCoreFile(std::string& path) const {
  path.clear();
  if (LastDownloadedCoreFile.empty() || LastDownloadedCoreFile == LastCoreFileInstalled ||
      LastDownloadedCoreFile != ignoreDownloadedCoreFile) {
    return;
  }
  const std::string candidate = platform::JoinPath(context_.updatesFolder, LastDownloadedCoreFile);
  if (platform::FileExists(candidate)) path = candidate;
}

}  // namespace pc::settings
