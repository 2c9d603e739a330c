// Wires the report commands into the main window: printer set-up, preview, print and sending a PDF.
#pragma once

namespace pc::gui {

class TFrmMain;

void InstallReportCommands(TFrmMain& window);

}  // namespace pc::gui
