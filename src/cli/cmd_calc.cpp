// prijscorrectum-cli calc FILE.kvp [--index FILE.kvi] [--format text|csv|json]
#include "cli/command_registry.h"
#include "cli/project_cli.h"

namespace {

const pc::cli::CommandRegistration kRegistration(
    "calc", "calc FILE.kvp [--index FILE.kvi] [--format text|csv|json]", [](const std::vector<std::string>& args) {
      pc::cli::TSystemEnvironment environment;
      pc::cli::TCliContext context = environment.Context();
      return pc::cli::RunCalc(args, context);
    });

}  // namespace
