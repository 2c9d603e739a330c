#include "platform/environment.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace pc::platform {
namespace {

class RealEnvironment final : public Environment {
 public:
  std::optional<std::string> Get(std::string_view name) const override {
    const std::string key(name);
    const char* value = std::getenv(key.c_str());
    if (value == nullptr) return std::nullopt;
    return std::string(value);
  }
  std::optional<std::string> AccountHome() const override {
    std::vector<char> buffer(16384);
    struct passwd entry {};
    struct passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
        found == nullptr || found->pw_dir == nullptr || found->pw_dir[0] == '\0')
      return std::nullopt;
    return std::string(found->pw_dir);
  }
};

}  // namespace

const Environment& ProcessEnvironment() {
  static const RealEnvironment env;
  return env;
}

std::optional<std::string> MemoryEnvironment::Get(std::string_view name) const {
  const auto it = vars_.find(name);
  if (it == vars_.end()) return std::nullopt;
  return it->second;
}

std::optional<std::string> FirstSet(const Environment& env, std::initializer_list<std::string_view> names) {
  for (const auto name : names) {
    auto value = env.Get(name);
    if (value && !value->empty()) return value;
  }
  return std::nullopt;
}

}  // namespace pc::platform
