#include "settings/kv_config.h"

namespace pc::settings {

TKVConfig::TKVConfig(Context context) : context_(std::move(context)) {}

void TKVConfig::Load() { SetDefaults(); }
platform::RegistryResult TKVConfig::Save() { return platform::RegistryResult::Ok; }
void TKVConfig::SetDefaults() {}
void TKVConfig::SetDefaultIndexFolder() {}
std::string TKVConfig::DefaultIndexFile() const { return centralPath + std::string(kDefaultIndexFileName); }
void TKVConfig::AddRecentProject(const std::string& path) { RecentProjects.push_back(path); }

std::vector<KVAvailOnlineIndexRec> TKVConfig::AvailOnlineIndices() const {
  std::lock_guard lock(lists_mutex_);
  return avail_online_;
}
std::vector<DownloadedIndexInfoPtr> TKVConfig::DownloadedIndexInfo() const {
  std::lock_guard lock(lists_mutex_);
  return downloaded_;
}
void TKVConfig::ClearAvailOnlineIndices() {}
void TKVConfig::ClearDownloadedIndexInfo() {}
void TKVConfig::AddAvailOnlineIndex(KVAvailOnlineIndexRec) {}
DownloadedIndexInfoPtr TKVConfig::AddDownloadedIndexInfo(KVDownloadedIndexInfoRec) { return nullptr; }
void TKVConfig::ReplaceAvailOnlineIndices(std::vector<KVAvailOnlineIndexRec>) {}
void TKVConfig::ReplaceDownloadedIndexInfo(std::vector<KVDownloadedIndexInfoRec>) {}
DownloadedIndexInfoPtr TKVConfig::FindDownloadedIndexInfo(std::string_view) const { return nullptr; }
DownloadedIndexInfoPtr TKVConfig::IsDownloadedIndexInfo(const KVDownloadedIndexInfoRec*) const { return nullptr; }
void TKVConfig::SnapshotDownloadedIndexInfo(DownloadedIndexSnapshot&) const {}
void TKVConfig::RelinkDownloadedIndexInfo(const DownloadedIndexSnapshot&, const RelinkOnlineInfoFn&) const {}
bool TKVConfig::QuerySystemProxy(bool& enabled, std::string& host, std::string& port) const {
  enabled = false;
  host.clear();
  port.clear();
  return false;
}
bool TKVConfig::ImportSystemProxy() { return false; }
bool TKVConfig::PendingCoreFile(std::string& path) {
  path.clear();
  return false;
}
void TKVConfig::IgnoredCoreFile(std::string& path) const { path.clear(); }
void TKVConfig::LoadList(std::string_view, bool) {}
platform::RegistryResult TKVConfig::SaveLists() { return platform::RegistryResult::Ok; }

}  // namespace pc::settings
