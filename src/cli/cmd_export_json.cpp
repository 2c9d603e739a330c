// prijscorrectum-cli export-json FILE.kvp
#include "cli/command_registry.h"
#include "cli/project_cli.h"

namespace {

const pc::cli::CommandRegistration kRegistration(
    "export-json", "export-json FILE.kvp", [](const std::vector<std::string>& args) {
      pc::cli::TSystemEnvironment environment;
      pc::cli::TCliContext context = environment.Context();
      return pc::cli::RunExportJson(args, context);
    });

}  // namespace
