#include "platform/memory_registry.h"

namespace pc::platform {

RegistryTree& MemoryRegistry::Hive(RegistryRoot root) {
  return root == RegistryRoot::CurrentUser ? user_ : machine_;
}

RegistryResult MemoryRegistry::OpenKey(RegistryRoot root, std::string_view path, KeyAccess access,
                                       std::unique_ptr<RegistryKey>& key) {
  key.reset();
  const bool machine = root == RegistryRoot::LocalMachine;
  if (machine && access == KeyAccess::Create) return RegistryResult::AccessDenied;
  RegistryTree& tree = Hive(root);
  const RegistryResult r = tree.OpenKey(path, access == KeyAccess::Create);
  if (r != RegistryResult::Ok) return r;
  key = MakeTreeKey(tree, std::string(path), !machine && access != KeyAccess::ReadOnly);
  return RegistryResult::Ok;
}

RegistryResult MemoryRegistry::DeleteKey(RegistryRoot root, std::string_view path) {
  if (root == RegistryRoot::LocalMachine) return RegistryResult::AccessDenied;
  return user_.DeleteKey(path);
}

RegistryResult MemoryRegistry::Flush() {
  ++flush_count_;
  return flush_result_.load();
}

}  // namespace pc::platform
