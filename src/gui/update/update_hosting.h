// Hosts the update runs in the main window: the automatic-update timer, progress, alerts, the update and online-index forms, the log and the options dialog.
#pragma once

namespace pc::gui {

class TFrmMain;

void InstallUpdateHosting(TFrmMain& window);

}  // namespace pc::gui
