#include "cli/command_registry.h"

#include <algorithm>

namespace pc::cli {

namespace {
std::vector<Command>& Registry() {
  static std::vector<Command> commands;
  return commands;
}
}  // namespace

const std::vector<Command>& Commands() { return Registry(); }

CommandRegistration::CommandRegistration(std::string name, std::string usage, CommandFn run) {
  auto& commands = Registry();
  commands.push_back({std::move(name), std::move(usage), std::move(run)});
  std::sort(commands.begin(), commands.end(),
            [](const Command& a, const Command& b) { return a.name < b.name; });
}

}  // namespace pc::cli
