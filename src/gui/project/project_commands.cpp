#include "gui/project/project_commands.h"

#include "gui/app/main_window.h"

namespace pc::gui {

void InstallProjectCommands(TFrmMain& /*window*/) {}

}  // namespace pc::gui
