// A run of the program that pictures itself: the main window on each of its
// pages, the About window and the save question, saved as PNG files into a
// folder, after which the program ends. Started by setting
// PRIJSCORRECTUM_SCREENSHOTS to that folder (scripts/screenshots.sh does).
#pragma once

#include <QString>

namespace pc::gui {

class TFrmMain;

inline constexpr const char* kScreenshotVariable = "PRIJSCORRECTUM_SCREENSHOTS";

// Takes the pictures once the window has been shown, then closes it.
void ScheduleScreenshots(TFrmMain& window, const QString& folder);

}  // namespace pc::gui
