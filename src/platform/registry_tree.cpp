#include "platform/registry_tree.h"

#include <algorithm>

namespace pc::platform {
namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

}  // namespace

struct RegistryTree::Node {
  std::string name;
  std::vector<RegistryValue> values;
  std::vector<std::unique_ptr<Node>> children;

  Node* Child(std::string_view childName) const {
    for (const auto& c : children) {
      if (SameName(c->name, childName)) return c.get();
    }
    return nullptr;
  }
  RegistryValue* Value(std::string_view valueName) {
    for (auto& v : values) {
      if (SameName(v.name, valueName)) return &v;
    }
    return nullptr;
  }
};

RegistryTree::RegistryTree() : root_(std::make_unique<Node>()) {}
RegistryTree::~RegistryTree() = default;

bool RegistryTree::SplitPath(std::string_view path, std::vector<std::string>& names) {
  names.clear();
  if (!path.empty() && path.front() == '\\') path.remove_prefix(1);
  if (path.empty()) return false;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = path.find('\\', start);
    const std::string_view part = path.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    if (part.empty()) return false;
    names.emplace_back(part);
    if (end == std::string_view::npos) return true;
    start = end + 1;
  }
}

RegistryTree::Node* RegistryTree::Find(std::string_view path) const {
  std::vector<std::string> names;
  if (!SplitPath(path, names)) return nullptr;
  Node* node = root_.get();
  for (const auto& n : names) {
    node = node->Child(n);
    if (node == nullptr) return nullptr;
  }
  return node;
}

RegistryResult RegistryTree::OpenKey(std::string_view path, bool create) {
  std::vector<std::string> names;
  if (!SplitPath(path, names)) return RegistryResult::InvalidName;
  std::lock_guard lock(mutex_);
  Node* node = root_.get();
  for (const auto& n : names) {
    Node* child = node->Child(n);
    if (child == nullptr) {
      if (!create) return RegistryResult::NotFound;
      auto made = std::make_unique<Node>();
      made->name = n;
      child = made.get();
      node->children.push_back(std::move(made));
      ++changes_;
    }
    node = child;
  }
  return RegistryResult::Ok;
}

RegistryResult RegistryTree::DeleteKey(std::string_view path) {
  std::vector<std::string> names;
  if (!SplitPath(path, names)) return RegistryResult::InvalidName;
  std::lock_guard lock(mutex_);
  Node* parent = root_.get();
  for (std::size_t i = 0; i + 1 < names.size(); ++i) {
    parent = parent->Child(names[i]);
    if (parent == nullptr) return RegistryResult::NotFound;
  }
  auto& kids = parent->children;
  const auto it = std::find_if(kids.begin(), kids.end(),
                               [&](const auto& c) { return SameName(c->name, names.back()); });
  if (it == kids.end()) return RegistryResult::NotFound;
  kids.erase(it);
  ++changes_;
  return RegistryResult::Ok;
}

RegistryResult RegistryTree::GetValue(std::string_view path, std::string_view name, RegistryValue& value) const {
  std::lock_guard lock(mutex_);
  Node* node = Find(path);
  if (node == nullptr) return RegistryResult::KeyDeleted;
  const RegistryValue* v = node->Value(name);
  if (v == nullptr) return RegistryResult::NotFound;
  value = *v;
  return RegistryResult::Ok;
}

RegistryResult RegistryTree::SetValue(std::string_view path, const RegistryValue& value) {
  if (value.type == RegistryValueType::None) return RegistryResult::WrongType;
  std::lock_guard lock(mutex_);
  Node* node = Find(path);
  if (node == nullptr) return RegistryResult::KeyDeleted;
  RegistryValue* v = node->Value(value.name);
  if (v == nullptr) {
    node->values.push_back(value);
  } else {
    const std::string keptName = v->name;
    *v = value;
    v->name = keptName;
  }
  ++changes_;
  return RegistryResult::Ok;
}

RegistryResult RegistryTree::DeleteValue(std::string_view path, std::string_view name) {
  std::lock_guard lock(mutex_);
  Node* node = Find(path);
  if (node == nullptr) return RegistryResult::KeyDeleted;
  auto& vals = node->values;
  const auto it = std::find_if(vals.begin(), vals.end(), [&](const auto& v) { return SameName(v.name, name); });
  if (it == vals.end()) return RegistryResult::NotFound;
  vals.erase(it);
  ++changes_;
  return RegistryResult::Ok;
}

RegistryResult RegistryTree::ListValues(std::string_view path, std::vector<std::string>& names) const {
  std::lock_guard lock(mutex_);
  Node* node = Find(path);
  if (node == nullptr) return RegistryResult::KeyDeleted;
  names.clear();
  for (const auto& v : node->values) names.push_back(v.name);
  return RegistryResult::Ok;
}

RegistryResult RegistryTree::ListSubKeys(std::string_view path, std::vector<std::string>& names) const {
  std::lock_guard lock(mutex_);
  Node* node = Find(path);
  if (node == nullptr) return RegistryResult::KeyDeleted;
  names.clear();
  for (const auto& c : node->children) names.push_back(c->name);
  return RegistryResult::Ok;
}

void RegistryTree::SetString(std::string_view path, std::string_view name, std::string_view text) {
  if (OpenKey(path, true) != RegistryResult::Ok) return;
  RegistryValue v;
  v.name = std::string(name);
  v.type = RegistryValueType::String;
  v.text = std::string(text);
  SetValue(path, v);
}

void RegistryTree::SetDWord(std::string_view path, std::string_view name, std::uint32_t number) {
  if (OpenKey(path, true) != RegistryResult::Ok) return;
  RegistryValue v;
  v.name = std::string(name);
  v.type = RegistryValueType::DWord;
  v.number = number;
  SetValue(path, v);
}

void RegistryTree::ForEachKey(
    const std::function<void(const std::string&, std::span<const RegistryValue>)>& visit) const {
  std::lock_guard lock(mutex_);
  // Depth first, parents before children, without recursion limits mattering
  // for the shallow trees kept here.
  struct Item {
    const Node* node;
    std::string path;
  };
  std::vector<Item> stack;
  for (auto it = root_->children.rbegin(); it != root_->children.rend(); ++it) {
    stack.push_back({it->get(), (*it)->name});
  }
  while (!stack.empty()) {
    Item item = std::move(stack.back());
    stack.pop_back();
    visit(item.path, item.node->values);
    for (auto it = item.node->children.rbegin(); it != item.node->children.rend(); ++it) {
      stack.push_back({it->get(), item.path + "\\" + (*it)->name});
    }
  }
}

void RegistryTree::Clear() {
  std::lock_guard lock(mutex_);
  root_ = std::make_unique<Node>();
  ++changes_;
}

std::uint64_t RegistryTree::ChangeCount() const {
  std::lock_guard lock(mutex_);
  return changes_;
}

namespace {

class TreeKey final : public RegistryKey {
 public:
  TreeKey(RegistryTree& tree, std::string path, bool writable)
      : tree_(tree), path_(std::move(path)), writable_(writable) {}

  RegistryResult GetValueType(std::string_view name, RegistryValueType& type) const override {
    RegistryValue v;
    const RegistryResult r = tree_.GetValue(path_, name, v);
    type = r == RegistryResult::Ok ? v.type : RegistryValueType::None;
    return r;
  }
  RegistryResult ReadString(std::string_view name, std::string& value) const override {
    RegistryValue v;
    const RegistryResult r = Read(name, RegistryValueType::String, v);
    if (r == RegistryResult::Ok) value = std::move(v.text);
    return r;
  }
  RegistryResult ReadDWord(std::string_view name, std::uint32_t& value) const override {
    RegistryValue v;
    const RegistryResult r = Read(name, RegistryValueType::DWord, v);
    if (r == RegistryResult::Ok) value = v.number;
    return r;
  }
  RegistryResult ReadBinary(std::string_view name, std::vector<std::uint8_t>& value) const override {
    RegistryValue v;
    const RegistryResult r = Read(name, RegistryValueType::Binary, v);
    if (r == RegistryResult::Ok) value.assign(v.text.begin(), v.text.end());
    return r;
  }
  RegistryResult WriteString(std::string_view name, std::string_view value) override {
    RegistryValue v;
    v.type = RegistryValueType::String;
    v.text = std::string(value);
    return Write(name, std::move(v));
  }
  RegistryResult WriteDWord(std::string_view name, std::uint32_t value) override {
    RegistryValue v;
    v.type = RegistryValueType::DWord;
    v.number = value;
    return Write(name, std::move(v));
  }
  RegistryResult WriteBinary(std::string_view name, std::span<const std::uint8_t> value) override {
    RegistryValue v;
    v.type = RegistryValueType::Binary;
    v.text.assign(value.begin(), value.end());
    return Write(name, std::move(v));
  }
  RegistryResult ListValues(std::vector<std::string>& names) const override {
    return tree_.ListValues(path_, names);
  }
  RegistryResult ListSubKeys(std::vector<std::string>& names) const override {
    return tree_.ListSubKeys(path_, names);
  }
  RegistryResult DeleteValue(std::string_view name) override {
    if (!writable_) return RegistryResult::AccessDenied;
    return tree_.DeleteValue(path_, name);
  }
  RegistryResult DeleteSubKey(std::string_view name) override {
    if (!writable_) return RegistryResult::AccessDenied;
    if (name.empty() || name.find('\\') != std::string_view::npos) return RegistryResult::InvalidName;
    if (tree_.OpenKey(path_, false) != RegistryResult::Ok) return RegistryResult::KeyDeleted;
    return tree_.DeleteKey(path_ + "\\" + std::string(name));
  }
  const std::string& Path() const override { return path_; }

 private:
  RegistryResult Read(std::string_view name, RegistryValueType type, RegistryValue& v) const {
    const RegistryResult r = tree_.GetValue(path_, name, v);
    if (r != RegistryResult::Ok) return r;
    return v.type == type ? RegistryResult::Ok : RegistryResult::WrongType;
  }
  RegistryResult Write(std::string_view name, RegistryValue v) {
    if (!writable_) return RegistryResult::AccessDenied;
    v.name = std::string(name);
    return tree_.SetValue(path_, v);
  }

  RegistryTree& tree_;
  std::string path_;
  bool writable_;
};

}  // namespace

std::unique_ptr<RegistryKey> MakeTreeKey(RegistryTree& tree, std::string path, bool writable) {
  if (!path.empty() && path.front() == '\\') path.erase(0, 1);
  return std::make_unique<TreeKey>(tree, std::move(path), writable);
}

}  // namespace pc::platform
