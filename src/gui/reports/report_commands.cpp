#include "gui/reports/report_commands.h"

#include "gui/app/main_window.h"

namespace pc::gui {

void InstallReportCommands(TFrmMain& /*window*/) {}

}  // namespace pc::gui
