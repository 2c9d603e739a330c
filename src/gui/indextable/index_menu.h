// Fills the main window's "&Indexen" menu and wires its component actions.
#pragma once

namespace pc::gui {

class TFrmMain;

void InstallIndexMenu(TFrmMain& window);

}  // namespace pc::gui
