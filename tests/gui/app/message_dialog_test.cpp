// The message dialog in its four modes and the small question dialog, shown
// without a modal loop and answered by clicks and keys as a user does.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "gui/app/message_dialog.h"
#include "gui/common/frm_dlg.h"
#include "gui/common/kl_dialog.h"
#include "gui/support/gui_test_support.h"

namespace pc::guitest {
namespace {

using gui::TFrmDlg;
using gui::TKlDialog1;

struct ModeCase {
  const char* name;
  TDialogMode mode;
  std::string text1, text2;
  std::vector<TDialogAnswer> buttons;  // shown, left to right
  TDialogAnswer defaultButton;
  int height;
  std::vector<QString> texts;  // seen somewhere in the dialog
};

const std::vector<ModeCase>& ModeCases() {
  static const std::vector<ModeCase> cases = {
      {"index_delete", TDialogMode::dmIndexDelete, "12", "", {TDialogAnswer::daJa, TDialogAnswer::daNee},
       TDialogAnswer::daNee, 32 + 152 + 2,
       {QStringLiteral("Hiermee verwijdert u 12 indexwaarden. Wilt u doorgaan?"),
        QStringLiteral("Klik op Nee om zonder wijzigingen terug te gaan.")}},
      {"save_query", TDialogMode::dmSaveQuery, "Brug \xe9\xe9n", "Brug.kvp",
       {TDialogAnswer::daJa, TDialogAnswer::daNee, TDialogAnswer::daAnnuleren}, TDialogAnswer::daNee,
       32 + 160 + 2,
       {QStringLiteral("Wilt u de wijzigingen in het volgende bestand opslaan?"), QStringLiteral("Brug één"),
        QStringLiteral("Brug.kvp")}},
      {"message", TDialogMode::dmMessage, "Brug.kvp: Niet gevonden (code 3).", "", {TDialogAnswer::daSluiten},
       TDialogAnswer::daSluiten, 32 + 72 + 2, {QStringLiteral("Brug.kvp: Niet gevonden (code 3).")}},
      {"question", TDialogMode::dmQuestion, "Wilt u overschakelen naar het aanwezige indexbestand in deze map?", "",
       {TDialogAnswer::daJa, TDialogAnswer::daNee}, TDialogAnswer::daNone, 32 + 72 + 2,
       {QStringLiteral("Wilt u overschakelen naar het aanwezige indexbestand in deze map?")}},
  };
  return cases;
}

bool ShowsText(const QWidget& dialog, const QString& text) {
  for (const QLabel* label : dialog.findChildren<QLabel*>())
    if (label->isVisibleTo(&dialog) && label->text().contains(text)) return true;
  return false;
}

TEST(MessageDialog, EachModeShowsItsPanelButtonsAndDefault) {
  const TDialogAnswer all[] = {TDialogAnswer::daJa, TDialogAnswer::daNee, TDialogAnswer::daAnnuleren,
                               TDialogAnswer::daSluiten};
  for (const ModeCase& c : ModeCases()) {
    SCOPED_TRACE(c.name);
    TFrmDlg dialog(nullptr, c.mode, c.text1, c.text2);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("PrijsCorrectum"));
    EXPECT_EQ(dialog.width(), 425);
    EXPECT_EQ(dialog.height(), c.height);
    for (const QString& text : c.texts) EXPECT_TRUE(ShowsText(dialog, text)) << text.toStdString();
    int lastRight = -1;
    for (TDialogAnswer answer : all) {
      QPushButton* button = dialog.Button(answer);
      const bool shown = std::find(c.buttons.begin(), c.buttons.end(), answer) != c.buttons.end();
      EXPECT_EQ(button->isVisible(), shown) << ButtonCaption(answer);
      EXPECT_EQ(button->text(), QString::fromLatin1(ButtonCaption(answer)));
      EXPECT_EQ(button->isDefault(), answer == c.defaultButton) << ButtonCaption(answer);
      if (!shown) continue;
      EXPECT_EQ(button->size(), QSize(75, 25));
      EXPECT_GT(button->x(), lastRight) << "buttons read Ja, Nee, Annuleren, Sluiten";
      lastRight = button->geometry().right();
    }
    EXPECT_EQ(lastRight, 425 - 8 - 1) << "the last button ends 8 pixels from the right edge";
    SaveScreenshot(&dialog, QStringLiteral("message_dialog_") + QString::fromLatin1(c.name));
  }
}

TEST(MessageDialog, AButtonAnswersAndClosesEscapeAnswersNone) {
  for (const ModeCase& c : ModeCases()) {
    for (TDialogAnswer answer : c.buttons) {
      SCOPED_TRACE(std::string(c.name) + " " + ButtonCaption(answer));
      TFrmDlg dialog(nullptr, c.mode, c.text1, c.text2);
      dialog.open();
      QTest::mouseClick(dialog.Button(answer), Qt::LeftButton);
      EXPECT_FALSE(dialog.isVisible());
      EXPECT_EQ(dialog.Answer(), answer);
    }
    TFrmDlg dialog(nullptr, c.mode, c.text1, c.text2);
    dialog.open();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible()) << c.name;
    EXPECT_EQ(dialog.Answer(), TDialogAnswer::daNone) << c.name;
  }
}

TEST(MessageDialog, EnterChoosesTheDefaultButton) {
  TFrmDlg dialog(nullptr, TDialogMode::dmSaveQuery, "Brug", "Brug.kvp");
  dialog.show();
  QTest::keyClick(&dialog, Qt::Key_Return);
  EXPECT_EQ(dialog.Answer(), TDialogAnswer::daNee);
}

struct AskCase {
  const char* name;
  int width;
  std::string caption2, caption3;
  int focusButton;
  std::vector<int> lefts;  // of the shown buttons
  int focused;
};

TEST(QuestionDialog, PlacesItsButtonsAndFocusesTheChosenOne) {
  const AskCase cases[] = {
      {"one", 268, "", "", 1, {92}, 1},
      {"two", 268, "&Nee", "", 2, {46, 139}, 2},
      {"three", 268, "&Nee", "&Annuleren", 3, {0, 93, 186}, 3},
  };
  for (const AskCase& c : cases) {
    SCOPED_TRACE(c.name);
    TKlDialog1 dialog(nullptr, "Vraag", "Doorgaan?", "&Ja", c.caption2, c.caption3, c.width, c.focusButton);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    EXPECT_EQ(dialog.width(), c.width);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Vraag"));
    for (std::size_t i = 0; i < 3; ++i) {
      QPushButton* button = dialog.Button(static_cast<int>(i) + 1);
      ASSERT_EQ(button->isVisible(), i < c.lefts.size());
      if (i < c.lefts.size()) {
        EXPECT_EQ(button->x(), c.lefts[i]);
        EXPECT_EQ(button->y(), 42);
      }
    }
    EXPECT_TRUE(dialog.Button(c.focused)->hasFocus());
    SaveScreenshot(&dialog, QStringLiteral("question_dialog_") + QString::fromLatin1(c.name));
  }
}

TEST(QuestionDialog, ReturnsTheNumberOfTheButtonPressedOrZero) {
  for (int k = 1; k <= 3; ++k) {
    TKlDialog1 dialog(nullptr, "Vraag", "Doorgaan?", "&Ja", "&Nee", "&Annuleren", 300, 1);
    dialog.open();
    QTest::mouseClick(dialog.Button(k), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), k);
    EXPECT_FALSE(dialog.isVisible());
  }
  TKlDialog1 dialog(nullptr, "Vraag", "Doorgaan?", "&Ja", "&Nee", "", 300, 1);
  dialog.open();
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_EQ(dialog.result(), 0);
}

TEST(QuestionDialog, ATextOfSeveralLinesKeepsItsButtonsBelowIt) {
  TKlDialog1 dialog(nullptr, "Vraag", "Eerste regel\nTweede regel\nDerde regel\nVierde regel", "&Ja", "&Nee", "",
                    300, 1);
  dialog.show();
  const QLabel* label = dialog.findChild<QLabel*>(QStringLiteral("Label1"));
  ASSERT_NE(label, nullptr);
  EXPECT_GT(dialog.Button(1)->y(), label->geometry().bottom());
  EXPECT_GT(dialog.height(), dialog.Button(1)->geometry().bottom());
  SaveScreenshot(&dialog, QStringLiteral("question_dialog_lines"));
}

TEST(QuestionDialog, ShowMessageIsAsWideAsItsTextNeedsWithOneOkButton) {
  const std::string shortText = "Klaar.";
  const std::string longText(120, 'x');
  EXPECT_EQ(gui::ShowMessageDialogWidth(nullptr, shortText), 268);
  EXPECT_GT(gui::ShowMessageDialogWidth(nullptr, longText), 268);
  TKlDialog1 dialog(nullptr, kAppTitle, "kapot.kvp: Foutief bestandsformaat (code 7).", kCaptionOk, "", "",
                    gui::ShowMessageDialogWidth(nullptr, "kapot.kvp: Foutief bestandsformaat (code 7)."), 1);
  dialog.show();
  EXPECT_EQ(dialog.Button(1)->text(), QStringLiteral("&OK"));
  EXPECT_FALSE(dialog.Button(2)->isVisible());
  SaveScreenshot(&dialog, QStringLiteral("show_message"));
}

// Clicks the button captioned `caption` of the modal dialog once it shows.
void ClickWhenShown(const QString& caption, QString* title = nullptr) {
  QTimer::singleShot(0, [caption, title] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    if (title) *title = dialog->windowTitle();
    for (QPushButton* button : dialog->findChildren<QPushButton*>())
      if (button->isVisible() && button->text() == caption) QTest::mouseClick(button, Qt::LeftButton);
  });
}

TEST(MessagesOnScreen, TheMessageInterfaceShowsTheDialogsAndReturnsTheAnswer) {
  gui::TQtMessages messages(nullptr);
  ClickWhenShown(QStringLiteral("&Annuleren"));
  EXPECT_EQ(messages.ExecuteDialog(TDialogMode::dmSaveQuery, "Brug", "Brug.kvp"), TDialogAnswer::daAnnuleren);
  ClickWhenShown(QStringLiteral("&Nee"));
  EXPECT_EQ(messages.Ask("Vraag", "Doorgaan?", "&Ja", "&Nee", "", 268, 1), 2);
  QString title;
  ClickWhenShown(QStringLiteral("&OK"), &title);
  messages.ShowMessage("Brug.kvp: Niet gevonden (code 3).");
  EXPECT_EQ(title, QStringLiteral("PrijsCorrectum"));
}

}  // namespace
}  // namespace pc::guitest
