// Environment variables behind an interface, so that folder and proxy
// look-ups can be tested with any environment.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace pc::platform {

class Environment {
 public:
  virtual ~Environment() = default;
  // The value of variable `name`; nullopt when it is not set (a variable set
  // to the empty text is returned as "").
  virtual std::optional<std::string> Get(std::string_view name) const = 0;
  // The home folder of the user running the process as the password
  // database has it, for when HOME is not set (cron, services); nullopt
  // when there is none.
  virtual std::optional<std::string> AccountHome() const { return std::nullopt; }
};

// The environment of this process.
const Environment& ProcessEnvironment();

// A fixed set of variables, for tests.
class MemoryEnvironment final : public Environment {
 public:
  MemoryEnvironment() = default;
  MemoryEnvironment(std::initializer_list<std::pair<const std::string, std::string>> vars) : vars_(vars) {}
  std::optional<std::string> Get(std::string_view name) const override;
  void Set(std::string name, std::string value) { vars_[std::move(name)] = std::move(value); }
  void Unset(const std::string& name) { vars_.erase(name); }
  std::optional<std::string> AccountHome() const override { return account_home_; }
  void SetAccountHome(std::string folder) { account_home_ = std::move(folder); }

 private:
  std::map<std::string, std::string, std::less<>> vars_;
  std::optional<std::string> account_home_;
};

// The first of `names` that is set to a non-empty text, or nullopt.
std::optional<std::string> FirstSet(const Environment& env, std::initializer_list<std::string_view> names);

}  // namespace pc::platform
