#include "platform/file_registry.h"

namespace pc::platform {

FileRegistry::FileRegistry(std::string file, const ShellFolders& folders) : file_(std::move(file)) {
  if (!folders.commonDocuments.empty()) machine_.SetString(kShellFoldersKey, kCommonDocumentsValue, folders.commonDocuments);
  if (!folders.commonAppData.empty()) machine_.SetString(kShellFoldersKey, kCommonAppDataValue, folders.commonAppData);
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

RegistryResult FileRegistry::Flush() { return RegistryResult::Ok; }

std::string DefaultSettingsFile(const Environment& env) {
  const std::string home = ConfigHome(env);
  if (home.empty()) return {};
  return JoinPath(JoinPath(home, "PrijsCorrectum"), "settings.json");
}

}  // namespace pc::platform
