// prijscorrectum-cli: the command-line companion of PrijsCorrectum, for batch
// use, scripting and checking results with the program's own core.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/command_registry.h"
#include "platform/write_safety.h"

namespace {

void PrintUsage() {
  std::fputs("usage: prijscorrectum-cli COMMAND [ARGUMENTS]\n\ncommands:\n", stderr);
  for (const auto& command : pc::cli::Commands())
    std::fprintf(stderr, "  %s\n", command.usage.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  pc::platform::IgnoreFileSizeSignal();
  if (argc < 2) {
    PrintUsage();
    return static_cast<int>(pc::cli::ExitCode::Usage);
  }
  const std::string name = argv[1];
  for (const auto& command : pc::cli::Commands()) {
    if (command.name == name) return command.run(std::vector<std::string>(argv + 2, argv + argc));
  }
  std::fprintf(stderr, "prijscorrectum-cli: unknown command '%s'\n", name.c_str());
  PrintUsage();
  return static_cast<int>(pc::cli::ExitCode::Usage);
}
