// A registry that lives in memory only, for tests: both hives can be laid
// out and read directly, and Flush can be made to fail.
#pragma once

#include <atomic>

#include "platform/registry.h"
#include "platform/registry_tree.h"

namespace pc::platform {

class MemoryRegistry final : public Registry {
 public:
  MemoryRegistry() = default;

  RegistryResult OpenKey(RegistryRoot root, std::string_view path, KeyAccess access,
                         std::unique_ptr<RegistryKey>& key) override;
  RegistryResult DeleteKey(RegistryRoot root, std::string_view path) override;
  // Returns the injected result (Ok unless FailFlush was called).
  RegistryResult Flush() override;

  // The hive itself, writable also for the machine-wide root.
  RegistryTree& Hive(RegistryRoot root);

  // Every later Flush returns `result`.
  void FailFlush(RegistryResult result) { flush_result_ = result; }
  int FlushCount() const { return flush_count_; }

 private:
  RegistryTree user_;
  RegistryTree machine_;
  std::atomic<RegistryResult> flush_result_{RegistryResult::Ok};
  std::atomic<int> flush_count_{0};
};

}  // namespace pc::platform
