// prijscorrectum-cli report: a project's index or installment report as a
// PDF file, drawn by the window program's report engine.
#pragma once

#include <string>
#include <vector>

#include "cli/project_cli.h"

namespace pc::cli {

inline constexpr const char* kReportUsage =
    "report FILE.kvp --report index|installments [--components NAMES] [--landscape] [--no-overview] "
    "[--index FILE.kvi] -o OUT.pdf";

// Needs a QGuiApplication (RunReportCommand makes one).
int RunReport(const std::vector<std::string>& args, TCliContext& context);

// RunReport inside its own QGuiApplication on the offscreen platform (set
// when QT_QPA_PLATFORM is not set).
int RunReportCommand(const std::vector<std::string>& args);

}  // namespace pc::cli
