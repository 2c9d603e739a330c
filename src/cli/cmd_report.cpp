// prijscorrectum-cli report FILE.kvp --report index|installments [...] -o OUT.pdf
#include "cli/command_registry.h"
#include "cli/report_cli.h"

namespace {

const pc::cli::CommandRegistration kRegistration("report", pc::cli::kReportUsage, pc::cli::RunReportCommand);

}  // namespace
