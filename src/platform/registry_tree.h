// The key tree behind both registry implementations: one hive, its keys,
// their values, guarded by one lock. MemoryRegistry hands it to tests so that
// they can lay out a hive and look at what was written; FileRegistry reads
// it from and writes it to the settings file.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace pc::platform {

// One value as it is kept: `text` holds the characters of a String and the
// bytes of a Binary value, `number` the figure of a DWord.
struct RegistryValue {
  std::string name;
  RegistryValueType type = RegistryValueType::None;
  std::string text;
  std::uint32_t number = 0;
};

class RegistryTree {
 public:
  RegistryTree();
  ~RegistryTree();
  RegistryTree(const RegistryTree&) = delete;
  RegistryTree& operator=(const RegistryTree&) = delete;

  // Splits a key path at "\" into its key names, dropping one leading "\".
  // False for an empty path, an empty name inside it or a trailing "\".
  static bool SplitPath(std::string_view path, std::vector<std::string>& names);

  // Whether the key exists; with `create` it and its parents are made first.
  RegistryResult OpenKey(std::string_view path, bool create);
  RegistryResult DeleteKey(std::string_view path);

  RegistryResult GetValue(std::string_view path, std::string_view name, RegistryValue& value) const;
  RegistryResult SetValue(std::string_view path, const RegistryValue& value);
  RegistryResult DeleteValue(std::string_view path, std::string_view name);
  RegistryResult ListValues(std::string_view path, std::vector<std::string>& names) const;
  RegistryResult ListSubKeys(std::string_view path, std::vector<std::string>& names) const;

  // Shorthands for filling a hive: the key is created when missing.
  void SetString(std::string_view path, std::string_view name, std::string_view text);
  void SetDWord(std::string_view path, std::string_view name, std::uint32_t number);

  // Calls `visit` for every key below the root, parents before children and
  // in creation order, with its path (names joined by "\", no leading "\")
  // and its values. The tree is locked meanwhile: `visit` must not call back.
  void ForEachKey(const std::function<void(const std::string& path,
                                           std::span<const RegistryValue> values)>& visit) const;

  // Removes every key.
  void Clear();

  // Grows by one at every change; lets a file-backed hive skip needless writes.
  std::uint64_t ChangeCount() const;

 private:
  struct Node;
  Node* Find(std::string_view path) const;  // requires mutex_ held

  mutable std::mutex mutex_;
  std::unique_ptr<Node> root_;
  std::uint64_t changes_ = 0;
};

// A handle on a key of `tree`; used by both registries.
std::unique_ptr<RegistryKey> MakeTreeKey(RegistryTree& tree, std::string path, bool writable);

}  // namespace pc::platform
