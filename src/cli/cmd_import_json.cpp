// prijscorrectum-cli import-json IN.json OUT.kvp [--index OUT.kvi]
#include "cli/command_registry.h"
#include "cli/project_cli.h"

namespace {

const pc::cli::CommandRegistration kRegistration(
    "import-json", "import-json IN.json OUT.kvp [--index OUT.kvi]", [](const std::vector<std::string>& args) {
      pc::cli::TSystemEnvironment environment;
      pc::cli::TCliContext context = environment.Context();
      return pc::cli::RunImportJson(args, context);
    });

}  // namespace
