// The main window as a user starts it: with the example on the command line,
// with nothing, and with a damaged project file.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QStackedWidget>
#include <QTest>

#include "gui/support/gui_test_support.h"

namespace pc::guitest {
namespace {

TEST(MainWindowStart, OpensTheExampleNamedOnTheCommandLine) {
  TTestHome home;
  const std::string kvp = home.CopyExample("worked-example.kvp");
  home.CopyExample("worked-example.kvi");
  TScriptedWindow w({kvp});
  w.Window().show();
  EXPECT_EQ(w.Window().windowTitle(), QStringLiteral("PrijsCorrectum - Voorbeeldproject"));
  EXPECT_TRUE(w.Window().IndexIndicatorText().contains(QStringLiteral("worked-example")))
      << w.Window().IndexIndicatorText().toStdString();
  auto* nav = w.Window().findChild<QListWidget*>(QStringLiteral("NavList"));
  ASSERT_NE(nav, nullptr);
  nav->setCurrentRow(1);
  EXPECT_EQ(w.Window().ActivePage(), gui::TPageId::TSIndex);
  nav->setCurrentRow(0);
  EXPECT_EQ(w.Window().ActivePage(), gui::TPageId::TSPrj);
  SaveScreenshot(&w.Window(), QStringLiteral("main_window_example"));
  w.messages.QueueDialogAnswer(TDialogAnswer::daNee);
  w.Window().close();
}

}  // namespace
}  // namespace pc::guitest
