// Wires the project's commands into the main window: sending the project by e-mail, the switch and merge dialogs, the index export dialog.
#pragma once

namespace pc::gui {

class TFrmMain;

void InstallProjectCommands(TFrmMain& window);

}  // namespace pc::gui
