// The About window: closed by a click or Escape in about mode, closing
// itself after seven ticks in splash mode.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>

#include "gui/app/info_form.h"
#include "gui/support/gui_test_support.h"

namespace pc::guitest {
namespace {

using gui::TInfoForm;
using gui::TInfoMode;

TEST(AboutWindow, AboutModeShowsVersionAndClosesOnClickOrEscape) {
  TRecordingShell shell;
  {
    TInfoForm about(TInfoMode::About, shell);
    about.open();
    EXPECT_EQ(about.size(), QSize(480, 423));
    auto* version = about.findChild<QLabel*>(QStringLiteral("LblVersion"));
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->text(), QStringLiteral("Versie 2007.07 Beta"));
    auto* close = about.findChild<QLabel*>(QStringLiteral("LblClose"));
    ASSERT_NE(close, nullptr);
    EXPECT_TRUE(close->isVisible());
    EXPECT_EQ(close->toolTip(), QStringLiteral("Sluit het infoscherm"));
    SaveScreenshot(&about, QStringLiteral("about_window"));
    QTest::mouseClick(&about, Qt::LeftButton, {}, QPoint(100, 250));
    EXPECT_FALSE(about.isVisible());
  }
  {
    TInfoForm about(TInfoMode::About, shell);
    about.open();
    QTest::keyClick(&about, Qt::Key_Escape);
    EXPECT_FALSE(about.isVisible());
  }
  {
    TInfoForm about(TInfoMode::About, shell);
    about.open();
    QTest::mouseClick(about.findChild<QLabel*>(QStringLiteral("LblVersion")), Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
  }
}

TEST(AboutWindow, CreditsLinkOpensTheLibraryPage) {
  TRecordingShell shell;
  TInfoForm about(TInfoMode::About, shell);
  about.open();
  auto* credits = about.findChild<QLabel*>(QStringLiteral("LblCredits"));
  ASSERT_NE(credits, nullptr);
  Q_EMIT credits->linkActivated(QString::fromLatin1(gui::kLibraryPage));
  EXPECT_EQ(shell.Opened, std::vector<std::string>{gui::kLibraryPage});
}

TEST(AboutWindow, SplashIgnoresClicksAndClosesItselfAfterSevenTicks) {
  TRecordingShell shell;
  TInfoForm splash(TInfoMode::Splash, shell);
  splash.open();
  EXPECT_FALSE(splash.findChild<QLabel*>(QStringLiteral("LblClose"))->isVisible());
  QTest::mouseClick(&splash, Qt::LeftButton, {}, QPoint(100, 250));
  QTest::keyClick(&splash, Qt::Key_Escape);
  EXPECT_TRUE(splash.isVisible());
  for (int i = 0; i < 3; ++i) splash.Tick();
  SaveScreenshot(&splash, QStringLiteral("splash_window"));
  for (int i = 3; i < 6; ++i) splash.Tick();
  EXPECT_TRUE(splash.isVisible());
  splash.Tick();
  EXPECT_EQ(splash.Step(), 7);
  EXPECT_FALSE(splash.isVisible());
}

TEST(AboutWindow, SplashTimerClosesItAboutThreeAndAHalfSecondsLater) {
  TRecordingShell shell;
  TInfoForm splash(TInfoMode::Splash, shell);
  splash.open();
  EXPECT_TRUE(QTest::qWaitFor([&] { return !splash.isVisible(); }, 10000));
  EXPECT_EQ(splash.Step(), TInfoForm::kSplashTicks);
}

}  // namespace
}  // namespace pc::guitest
