#include "platform/environment.h"

#include <cstdlib>

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
