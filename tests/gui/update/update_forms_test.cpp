// The small update forms on their own: "Online index informatie" and the
// administrator link of "Nieuwe versie".
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "gui/common/link_label.h"
#include "gui/update/online_index_info_form.h"
#include "gui/update/update_downloaded_form.h"
#include "update_window.h"

namespace pc::guitest {
namespace {

using gui::TfrmOnlineIndexInfo;
using gui::TfrmUpdateDownloaded;

class UpdateFormsTest : public UpdateWindowTest {};

TEST_F(UpdateFormsTest, OnlineIndexInfoShowsNameAndMemoAsTypedAndOpensTheIndexPage) {
  gui::TFrmMain& window = MakeWindow();
  struct Case {
    bool yes;
    int openStatus;
    std::vector<std::string> messages;
  } cases[] = {
      {false, 0, {}},
      {true, 0, {}},
      {true, 3, {"De webpagina https://www.prijscorrectum.nl/indexen/ kon niet worden geopend."}},
  };
  int shot = 0;
  for (const Case& c : cases) {
    messages_.ClearCalls();
    SetOpenStatus(c.openStatus);
    std::filesystem::remove(home_.File("xdg-open.txt"));
    TfrmOnlineIndexInfo* form =
        gui::ShowOnlineIndexInfo(window, {"Bouw & Co.kvi", "Prijzen & lonen\n\rper maand"}, &window);
    ASSERT_EQ(ShownWindow<TfrmOnlineIndexInfo>(), form);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Online index informatie"));
    EXPECT_EQ(form->findChild<QLabel*>(QStringLiteral("LName"))->text(), QStringLiteral("Bouw & Co Indexen"));
    EXPECT_EQ(form->findChild<QLabel*>(QStringLiteral("LMemo"))->text(), QStringLiteral("Prijzen & lonen\nper maand"));
    if (shot++ == 0) SaveScreenshot(form, QStringLiteral("online_index_info"));
    form->findChild<QPushButton*>(QString::fromLatin1(c.yes ? "BtnOk" : "BtnCan"))->click();
    EXPECT_TRUE(WaitFor([] { return ShownWindow<TfrmOnlineIndexInfo>() == nullptr; }));
    EXPECT_EQ(Opened(), c.yes ? std::vector<std::string>{"https://www.prijscorrectum.nl/indexen/"}
                              : std::vector<std::string>{});
    EXPECT_EQ(messages_.Messages(), c.messages);
  }
}

TEST_F(UpdateFormsTest, InformingTheAdministratorMailsAndSetsTheSetupAside) {
  gui::TFrmMain& window = MakeWindow();
  window.Settings().LastDownloadedCoreFile = "prijscorrectum-3.deb";
  std::vector<bool> answers;
  TfrmUpdateDownloaded* form =
      gui::AskInstallNewVersion(window, &window, [&](bool install) { answers.push_back(install); });
  auto* inform = form->findChild<gui::TLinkLabel*>(QStringLiteral("LInform"));

  // No address and none given when asked: nothing is sent, the question stays.
  std::vector<QString> asked;
  form->inputQuery = [&](const QString& title, const QString& prompt) {
    asked.push_back(title + QStringLiteral("|") + prompt);
    return QString();
  };
  QTest::mouseClick(inform, Qt::LeftButton);
  EXPECT_EQ(asked, std::vector<QString>{QStringLiteral("Beheerder email|Wat is het email adres van uw beheerder?")});
  EXPECT_TRUE(mailer_.Sent.empty());
  EXPECT_TRUE(form->isVisible());

  // An address given when asked: the mail goes to it, and the question closes
  // with "Nee", the set-up set aside and the address kept.
  form->inputQuery = [](const QString&, const QString&) { return QStringLiteral(" beheer@example.nl "); };
  QTest::mouseClick(inform, Qt::LeftButton);
  ASSERT_EQ(mailer_.Sent.size(), 1u);
  EXPECT_EQ(mailer_.Sent[0].Subject, "Nieuwe versie PrijsCorrectum beschikbaar");
  EXPECT_EQ(mailer_.Sent[0].Recipient, "beheer@example.nl");
  EXPECT_TRUE(mailer_.Sent[0].Attachments.empty());
  EXPECT_TRUE(mailer_.Sent[0].Body.ends_with("support@prijscorrectum.nl"));
  EXPECT_TRUE(WaitFor([] { return ShownWindow<TfrmUpdateDownloaded>() == nullptr; }));
  EXPECT_EQ(answers, std::vector<bool>{false});
  EXPECT_EQ(window.Settings().ignoreDownloadedCoreFile, "prijscorrectum-3.deb");
  EXPECT_EQ(window.Settings().sysEmail, " beheer@example.nl ");
}

TEST_F(UpdateFormsTest, YesInstallsWithoutSettingTheSetupAside) {
  gui::TFrmMain& window = MakeWindow();
  window.Settings().LastDownloadedCoreFile = "prijscorrectum-3.deb";
  window.Settings().sysEmail = "oud@example.nl";
  std::vector<bool> answers;
  TfrmUpdateDownloaded* form =
      gui::AskInstallNewVersion(window, &window, [&](bool install) { answers.push_back(install); });
  auto* email = form->findChild<QLineEdit*>(QStringLiteral("edtSysEmail"));
  EXPECT_EQ(email->text(), QStringLiteral("oud@example.nl"));
  email->clear();
  form->findChild<QPushButton*>(QStringLiteral("btnYes"))->click();
  EXPECT_EQ(answers, std::vector<bool>{true});
  EXPECT_EQ(window.Settings().ignoreDownloadedCoreFile, "");
  EXPECT_EQ(window.Settings().sysEmail, "");
}

}  // namespace
}  // namespace pc::guitest
