// The program-wide set-up of the window program: application name, Dutch
// translations of Qt's own dialogs, the Dutch locale for numbers shown by Qt.
#pragma once

#include <QApplication>

namespace pc::gui {

// Call once, right after the QApplication exists.
void SetUpApplication(QApplication& app);

}  // namespace pc::gui
