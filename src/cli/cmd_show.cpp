// prijscorrectum-cli show FILE.kvp [--index FILE.kvi]
#include "cli/command_registry.h"
#include "cli/project_cli.h"

namespace {

const pc::cli::CommandRegistration kRegistration(
    "show", "show FILE.kvp [--index FILE.kvi]", [](const std::vector<std::string>& args) {
      pc::cli::TSystemEnvironment environment;
      pc::cli::TCliContext context = environment.Context();
      return pc::cli::RunShow(args, context);
    });

}  // namespace
