// The main of every window test: one QApplication on the offscreen platform
// (unless the caller chose another), set up as the program sets itself up.
#include <gtest/gtest.h>

#include <QApplication>

#include "gui/app/application.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  pc::gui::SetUpApplication(app);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
