// prijscorrectum: the window program.
#include <QApplication>

#include "gui/app/application.h"
#include "gui/app/main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  pc::gui::SetUpApplication(app);
  pc::gui::TWindowSeams seams;
  for (int i = 1; i < argc; ++i) seams.Arguments.emplace_back(argv[i]);
  pc::gui::TFrmMain window(std::move(seams));
  window.show();
  return QApplication::exec();
}
