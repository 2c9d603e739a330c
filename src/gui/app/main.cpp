// prijscorrectum: the window program.
#include <QApplication>

#include "gui/app/application.h"
#include "gui/app/main_window.h"
#include "gui/app/screenshot_run.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  pc::gui::SetUpApplication(app);
  pc::gui::TWindowSeams seams;
  for (int i = 1; i < argc; ++i) seams.Arguments.emplace_back(argv[i]);
  pc::gui::TFrmMain window(std::move(seams));
  const QString screenshots = qEnvironmentVariable(pc::gui::kScreenshotVariable);
  if (!screenshots.isEmpty()) pc::gui::ScheduleScreenshots(window, screenshots);
  window.show();
  return QApplication::exec();
}
