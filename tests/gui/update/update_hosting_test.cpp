// Update passes run from the main window against the local update server,
// as a user sees them: progress in the status bar, the result alert, the
// log viewer, the offer of a downloaded set-up.
#include <QLabel>
#include <QPlainTextEdit>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>

#include "gui/common/qt_text.h"
#include "gui/common/link_label.h"
#include "gui/update/update_alert.h"
#include "gui/update/update_downloaded_form.h"
#include "gui/update/view_log_form.h"
#include "update_window.h"

namespace pc::guitest {
namespace {

using gui::TfrmUpdateDownloaded;
using gui::TfrmViewLog;
using gui::TUpdateAlert;

std::string Plain(std::string text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out.push_back(text[i]);
  return out;
}

QString PanelText(gui::TFrmMain& window) {
  auto* panel = window.findChild<QLabel*>(QStringLiteral("UpdatePanel"));
  return panel != nullptr && panel->isVisible() ? panel->text() : QString();
}

TEST_F(UpdateWindowTest, AutomaticPassShowsProgressThenSuccessAndTheLogListsIt) {
  server_.SetInfo(kInfoHeader + "D:I:\"Bouw.kvi\"\r\nM Bouwindex & meer\r\n");
  const std::string index(1280, 'i');
  server_.SetBehaviour("file:Bouw.kvi", {{"body", index}, {"drip", 0.05}});
  gui::TFrmMain& window = MakeWindow();
  EXPECT_TRUE(messages_.Messages().empty());  // the log is on disk
  EXPECT_FALSE(window.Settings().EnabledAsked);
  window.show();

  // Two seconds after the window shows, the pass starts by itself; while the
  // index file comes in, the status bar shows the progress and the gauge.
  auto* gauge = window.findChild<QProgressBar*>(QStringLiteral("UpdateGauge"));
  ASSERT_NE(gauge, nullptr);
  ASSERT_TRUE(WaitFor([&] { return gauge->isVisible() && gauge->maximum() == 1280 && gauge->value() > 0; }));
  EXPECT_EQ(PanelText(window), QStringLiteral("Autoupdate voortgang: Downloaden... "));
  SaveScreenshot(&window, QStringLiteral("update_progress"));

  ASSERT_TRUE(WaitFor([&] { return Hosting().Alert() != nullptr; }));
  TUpdateAlert* alert = Hosting().Alert();
  EXPECT_EQ(alert->Header(), QStringLiteral("Update resultaat"));
  EXPECT_EQ(alert->Message(), QStringLiteral("De update is succesvol verlopen"));
  EXPECT_EQ(alert->LogButton(), nullptr);
  SaveScreenshot(alert, QStringLiteral("update_alert_success"));
  EXPECT_FALSE(gauge->isVisible());
  EXPECT_EQ(PanelText(window), QString());

  // The first run switched automatic updates on; the index file is in the
  // index folder with its memo.
  EXPECT_TRUE(window.Settings().EnabledAsked);
  EXPECT_TRUE(window.Settings().Enabled);
  EXPECT_EQ(pc::testing::ReadFileBytes(window.Settings().centralPath + "Bouw.kvi"), index);
  ASSERT_NE(window.Settings().FindDownloadedIndexInfo("Bouw.kvi"), nullptr);
  EXPECT_EQ(window.Settings().FindDownloadedIndexInfo("Bouw.kvi")->Memo, "Bouwindex & meer");
  EXPECT_TRUE(window.Action("actUpd")->isEnabled());

  // "Logboek" lists the pass's lines exactly as the log file holds them.
  window.Action("actLog")->trigger();
  auto* viewer = ShownWindow<TfrmViewLog>();
  ASSERT_NE(viewer, nullptr);
  EXPECT_EQ(viewer->windowTitle(), QStringLiteral("Logboek"));
  const std::string file = LogFileText();
  EXPECT_EQ(gui::FromQt(viewer->LogText()) + "\n", Plain(file));
  for (const char* line : {"Autoupdate voortgang: Start autoupdate ", "Autoupdate voortgang: Downloaden van Bouw.kvi ",
                           "Autoupdate voortgang: Downloaden... (50,00%)",
                           "Autoupdate voortgang: Downloaden... (100,00%)",
                           "Autoupdate voortgang: De update is gelukt "})
    EXPECT_NE(viewer->LogText().indexOf(QString::fromLatin1(line)), -1) << line;
  SaveScreenshot(viewer, QStringLiteral("view_log"));

  // Copy puts the same text on the clipboard and says so.
  QTest::mouseClick(viewer->findChild<gui::TLinkLabel*>(QStringLiteral("lCopy")), Qt::LeftButton);
  EXPECT_EQ(gui::FromQt(QGuiApplication::clipboard()->text()) + "\r\n", file);
  ASSERT_FALSE(messages_.Messages().empty());
  EXPECT_EQ(messages_.Messages().back(), "Het logboek is naar het klembord gekopieerd.");
  // Mail sends the log file as written to the helpdesk.
  QTest::mouseClick(viewer->findChild<gui::TLinkLabel*>(QStringLiteral("lMail")), Qt::LeftButton);
  ASSERT_EQ(mailer_.Sent.size(), 1u);
  EXPECT_EQ(mailer_.Sent[0].Subject, "Logboek");
  EXPECT_EQ(mailer_.Sent[0].Body, "Logboek");
  EXPECT_EQ(mailer_.Sent[0].Recipient, "support@prijscorrectum.nl");
  ASSERT_EQ(mailer_.AttachmentTexts.size(), 1u);
  EXPECT_EQ(mailer_.AttachmentTexts[0], LogFileText());
  viewer->findChild<QPushButton*>(QStringLiteral("btnClose"))->click();
  EXPECT_TRUE(WaitFor([] { return ShownWindow<TfrmViewLog>() == nullptr; }));

  // The success alert goes away by itself.
  EXPECT_TRUE(WaitFor([&] { return Hosting().Alert() == nullptr; }, 8000));
}

TEST_F(UpdateWindowTest, StoppedServerLeavesTheFailureAlertWhoseButtonOpensTheLog) {
  SetServer("http://127.0.0.1:" + std::to_string(pc::testing::FreeLoopbackPort()) + "/update/");
  gui::TFrmMain& window = MakeWindow();
  window.Action("actUpd")->trigger();
  ASSERT_TRUE(WaitFor([&] { return Hosting().Alert() != nullptr; }));
  TUpdateAlert* alert = Hosting().Alert();
  EXPECT_EQ(alert->Message(), QStringLiteral("De update is mislukt: er kon geen verbinding gemaakt worden."));
  ASSERT_NE(alert->LogButton(), nullptr);
  SaveScreenshot(alert, QStringLiteral("update_alert_failure"));
  EXPECT_TRUE(window.Action("actUpd")->isEnabled());
  // It stays longer than a success notice would.
  QTest::qWait(TUpdateAlert::kSuccessMilliseconds + 1000);
  ASSERT_EQ(Hosting().Alert(), alert);
  EXPECT_TRUE(alert->isVisible());
  alert->LogButton()->click();
  auto* viewer = ShownWindow<TfrmViewLog>();
  ASSERT_NE(viewer, nullptr);
  EXPECT_NE(viewer->LogText().indexOf(QStringLiteral("De update is mislukt")), -1);
  EXPECT_TRUE(WaitFor([&] { return Hosting().Alert() == nullptr; }));
  viewer->reject();
}

TEST_F(UpdateWindowTest, ServedSetupIsOfferedAndSetAsideWhenNotWanted) {
  server_.SetInfo(kInfoHeader + "D:C:\"prijscorrectum-2.deb\"\r\n");
  server_.SetFile("prijscorrectum-2.deb", std::string(4096, 's'));
  {
    gui::TFrmMain& window = MakeWindow();
    window.show();
    // The pass downloads the set-up; two seconds after its success the offer comes.
    auto* offer = static_cast<TfrmUpdateDownloaded*>(nullptr);
    ASSERT_TRUE(WaitFor([&] { return (offer = ShownWindow<TfrmUpdateDownloaded>()) != nullptr; }, 30000));
    EXPECT_EQ(offer->windowTitle(), QStringLiteral("Nieuwe versie"));
    SaveScreenshot(offer, QStringLiteral("update_downloaded"));
    auto* email = offer->findChild<QLineEdit*>(QStringLiteral("edtSysEmail"));
    QTest::keyClicks(email, QStringLiteral("beheer@example.nl"));
    offer->findChild<QCheckBox*>(QStringLiteral("cbNoMore"))->setChecked(true);
    offer->findChild<QPushButton*>(QStringLiteral("btnNo"))->click();
    EXPECT_TRUE(WaitFor([] { return ShownWindow<TfrmUpdateDownloaded>() == nullptr; }));
    EXPECT_EQ(window.Settings().sysEmail, "beheer@example.nl");
    EXPECT_EQ(window.Settings().ignoreDownloadedCoreFile, "prijscorrectum-2.deb");
    EXPECT_TRUE(Opened().empty());
    EXPECT_TRUE(window.Action("actInstIgnoreVer")->isVisible());
    window.close();
  }
  {
    // The next start does not ask again; "Laatste versie installeren" opens
    // the set-up through xdg-open and closes the window for it.
    gui::TFrmMain& window = MakeWindow();
    window.show();
    ASSERT_TRUE(WaitFor([&] { return Hosting().Alert() != nullptr; }, 30000));
    QTest::qWait(gui::TUpdateHosting::kAutoUpdateMilliseconds + 500);
    EXPECT_EQ(ShownWindow<TfrmUpdateDownloaded>(), nullptr);
    EXPECT_EQ(window.Settings().sysEmail, "beheer@example.nl");
    window.Action("actInstIgnoreVer")->trigger();
    ASSERT_TRUE(WaitFor([&] { return !window.isVisible(); }));
    EXPECT_EQ(Opened(), std::vector<std::string>{platform::UpdatesFolder() + "/prijscorrectum-2.deb"});
  }
}

TEST_F(UpdateWindowTest, ALogThatCannotGoToDiskIsKeptInMemoryAndSaidSo) {
  // The program's data folder is a file: no log file can be made in it.
  const std::string base = platform::ProgramData().baseFolder;
  std::filesystem::remove_all(base);
  pc::testing::WriteFileBytes(base, "no folder");
  gui::TFrmMain& window = MakeWindow();
  EXPECT_EQ(messages_.Messages(), std::vector<std::string>{std::string(update::kInMemoryWarning)});
  EXPECT_FALSE(Hosting().Log().onDisk());
  window.Action("actLog")->trigger();
  auto* viewer = ShownWindow<TfrmViewLog>();
  ASSERT_NE(viewer, nullptr);
  const QStringList lines = viewer->LogText().split(QLatin1Char('\n'));
  ASSERT_EQ(lines.size(), 3);
  EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Log start ")));
  EXPECT_EQ(lines[1], QStringLiteral("Applicatie versie: 2007.07 Beta"));
  EXPECT_EQ(lines[2], gui::ToQt(std::string(update::kInMemoryNotice)));
  viewer->reject();
  window_.reset();
  std::filesystem::remove(base);
  std::filesystem::create_directories(base);
}

TEST_F(UpdateWindowTest, ASetupFromAPassThatFailedIsNotOffered) {
  server_.SetInfo(kInfoHeader + "D:C:\"prijscorrectum-3.deb\"\r\nD:I:\"Ontbreekt.kvi\"\r\n");
  server_.SetFile("prijscorrectum-3.deb", std::string(4096, 's'));
  for (int start = 0; start < 2; ++start) {
    gui::TFrmMain& window = MakeWindow();
    window.show();
    ASSERT_TRUE(WaitFor([&] { return Hosting().Alert() != nullptr; }, 30000));
    EXPECT_EQ(Hosting().Alert()->Message(), QStringLiteral("De update is mislukt: download fout."));
    // The set-up came in whole, but the pass that named it did not finish:
    // it is not offered, now or at the next start.
    EXPECT_TRUE(std::filesystem::exists(platform::UpdatesFolder() + "/prijscorrectum-3.deb"));
    QTest::qWait(gui::TUpdateHosting::kAutoUpdateMilliseconds + 500);
    EXPECT_EQ(ShownWindow<TfrmUpdateDownloaded>(), nullptr);
    EXPECT_EQ(window.Settings().LastDownloadedCoreFile, "");
    window.close();
  }
}

TEST_F(UpdateWindowTest, ASetupThatCannotBeOpenedLeavesTheDocumentAsItWas) {
  const std::string setup = platform::UpdatesFolder() + "/setup.deb";
  std::filesystem::create_directories(platform::UpdatesFolder());
  pc::testing::WriteFileBytes(setup, std::string(100, 's'));
  gui::TFrmMain& window = MakeWindow({home_.CopyExample("worked-example.kvp")});
  window.show();
  window.Settings().LastDownloadedCoreFile = "setup.deb";
  window.Settings().ignoreDownloadedCoreFile = "setup.deb";
  window.History().BeginStep(true);
  window.History().Current().ProjectName = "Gewijzigd";
  window.UpdateWindowState();

  SetOpenStatus(4);
  messages_.QueueDialogAnswer(TDialogAnswer::daNee);  // do not save
  window.Action("actInstIgnoreVer")->trigger();
  ASSERT_FALSE(messages_.Calls().empty());
  EXPECT_EQ(messages_.Calls()[0].Mode, TDialogMode::dmSaveQuery);
  EXPECT_EQ(messages_.Messages(), std::vector<std::string>{"Kon de setup niet starten"});
  EXPECT_EQ(Opened(), std::vector<std::string>{setup});
  QTest::qWait(50);
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(window.History().Current().ProjectName, "Gewijzigd");
  EXPECT_TRUE(window.History().IsModified());

  // Cancelling the save question opens nothing.
  messages_.ClearCalls();
  messages_.QueueDialogAnswer(TDialogAnswer::daAnnuleren);
  window.Action("actInstIgnoreVer")->trigger();
  EXPECT_EQ(Opened().size(), 1u);
  EXPECT_TRUE(window.History().IsModified());

  // A set-up that opens closes the window without asking again, and the
  // close stops a running pass and waits for it.
  server_.SetBehaviour("info", {{"delay", 5}, {"body", kInfoHeader}});
  window.Action("actUpd")->trigger();
  ASSERT_TRUE(WaitFor([&] { return Hosting().Running() && !PanelText(window).isEmpty(); }));
  window.Action("actUpd")->trigger();  // while a pass runs: nothing happens
  SetOpenStatus(0);
  messages_.ClearCalls();
  messages_.QueueDialogAnswer(TDialogAnswer::daNee);
  window.Action("actInstIgnoreVer")->trigger();
  ASSERT_TRUE(WaitFor([&] { return !window.isVisible(); }));
  EXPECT_EQ(messages_.Calls().size(), 1u);  // only the one save question
  EXPECT_FALSE(Hosting().Running());
  const std::string log = LogFileText();
  EXPECT_NE(log.find("Autoupdate voortgang: Update voortijdig afgebroken "), std::string::npos);
  EXPECT_EQ(log.find("Start autoupdate"), log.rfind("Start autoupdate"));  // one pass
  EXPECT_EQ(Hosting().Alert(), nullptr);
}

}  // namespace
}  // namespace pc::guitest
