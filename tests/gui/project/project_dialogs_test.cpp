// The dialogs of the project: the calculation-method choice, the component
// switch dialog and the missing-components question, on their own and, for
// the question, end to end on the real main window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QEnterEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "gui/common/qt_text.h"
#include "gui/installments/calc_method_dialog.h"
#include "gui/project/export_open_dialog.h"
#include "gui/project/index_switch_dialog.h"
#include "gui/project/qt_merge_questions.h"
#include "project_window.h"
#include "storage/storage_file.h"

namespace pc::guitest {
namespace {

QString PanelStyle(QWidget* dialog, const char* panel) {
  return dialog->findChild<QWidget*>(QString::fromLatin1(panel))->styleSheet();
}

TEST(CalcMethodDialog, ShowsTheProjectsMethodAndChoosesTheClickedOne) {
  TRecordingShell shell;
  gui::TfrmCalcKindSelect dialog(1, shell);
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Berekeningsmethode selectie"));
  EXPECT_EQ(dialog.Selected(), 1);
  EXPECT_TRUE(PanelStyle(&dialog, "shSimpCalc").contains(QStringLiteral("rgb(216, 231, 251)")));
  EXPECT_TRUE(PanelStyle(&dialog, "shDefCalc").contains(QStringLiteral("rgb(255, 255, 255)")));
  SaveScreenshot(&dialog, QStringLiteral("calc_method_dialog"));

  // The panel under the pointer takes the hover colour until the pointer
  // leaves it.
  QWidget* officialPanel = dialog.findChild<QWidget*>(QStringLiteral("shDefCalc"));
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), officialPanel->mapToGlobal(QPointF(5, 5)));
  QApplication::sendEvent(officialPanel, &enter);
  EXPECT_TRUE(PanelStyle(&dialog, "shDefCalc").contains(QStringLiteral("rgb(213, 225, 227)")));
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(officialPanel, &leave);
  EXPECT_TRUE(PanelStyle(&dialog, "shDefCalc").contains(QStringLiteral("rgb(255, 255, 255)")));

  // The clicked method is the chosen one, however often it is clicked.
  auto* official = dialog.findChild<QLabel*>(QStringLiteral("lDefCalcTitle"));
  Click(official);
  Click(official);
  EXPECT_EQ(dialog.Selected(), 0);
  Click(dialog.findChild<QLabel*>(QStringLiteral("lSimpCalcText")));
  EXPECT_EQ(dialog.Selected(), 1);

  Click(dialog.findChild<QLabel*>(QStringLiteral("lDefCalcInfo")));
  Click(dialog.findChild<QLabel*>(QStringLiteral("lSimpCalcInfo")));
  EXPECT_EQ(shell.Opened, (std::vector<std::string>{"https://www.prijscorrectum.nl/BerekeningsmethodeOfficieel",
                                                    "https://www.prijscorrectum.nl/BerekeningsmethodeVereenvoudigd"}));

  dialog.findChild<QPushButton*>(QStringLiteral("BtnToepassen"))->click();
  EXPECT_EQ(dialog.Chosen(), 1);
}

TEST(CalcMethodDialog, CancelAnswersMinusOne) {
  TRecordingShell shell;
  gui::TfrmCalcKindSelect dialog(0, shell);
  dialog.show();
  Click(dialog.findChild<QLabel*>(QStringLiteral("lSimpCalcTitle")));
  dialog.findChild<QPushButton*>(QStringLiteral("BtnAnnuleer"))->click();
  EXPECT_EQ(dialog.Chosen(), -1);
}

TEST(IndexSwitchDialog, OneRowPerMissingComponentRemovedUnlessChosen) {
  gui::TFrmIndexSwitchBDMerge dialog({"Staal", "Arbeid", "Brandstof"}, {{"Lonen", 12.5}, {"Koper", 0}});
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Ontbrekende bestanddelen in indexbestand"));
  EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("Label4"))->text(),
            QStringLiteral("Selecteer nieuwe indexen voor de onderstaande bestanddelen"));
  QStringList texts;
  for (QLabel* label : dialog.findChild<QWidget*>(QStringLiteral("sbContent"))->findChildren<QLabel*>())
    texts << label->text();
  EXPECT_TRUE(texts.contains(QStringLiteral("12,5%")));
  EXPECT_EQ(texts.filter(QStringLiteral("%")).size(), 1);  // none for a share of 0
  QComboBox* first = dialog.RowChoice(0);
  ASSERT_EQ(first->count(), 4);
  EXPECT_EQ(first->itemText(0), QStringLiteral("[Verwijder uit project]"));
  EXPECT_EQ(first->itemText(1), QStringLiteral("Arbeid"));
  EXPECT_EQ(first->itemText(3), QStringLiteral("Staal"));
  SaveScreenshot(&dialog, QStringLiteral("index_switch_dialog"));

  // Enter confirms without touching a row: every row answers "remove".
  QTest::keyClick(&dialog, Qt::Key_Return);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.Answers(), (std::vector<int>{-1, -1}));
  first->setCurrentIndex(3);
  EXPECT_EQ(dialog.Answers(), (std::vector<int>{0, -1}));  // "Staal" is the file's first
}

TEST(IndexSwitchDialog, TheWindowsQuestionsAnswerCancel) {
  gui::TQtMergeQuestions questions(nullptr);
  AnswerNextModal([](QWidget* dialog) { dialog->findChild<QPushButton*>(QStringLiteral("btnCan"))->click(); });
  std::vector<int> answers;
  EXPECT_FALSE(questions.ChooseReplacementComponents({"Staal"}, {{"Lonen", 10}}, answers));
  EXPECT_EQ(answers, std::vector<int>{-1});
}

TEST(MissingComponentsQuestion, ButtonsAndCloseBox) {
  const struct {
    const char* what;
    const char* button;  // null: the close box
    bool combine;
  } cases[] = {{"Alleen Lezen", "Button1", false}, {"Combineren", "Button2", true}, {"close box", nullptr, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    gui::TExportOpenForm form("Eigen.kvi");
    form.show();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("PrijsCorrectum - Ontbrekende bestanddelen"));
    EXPECT_TRUE(form.findChild<QLabel*>(QStringLiteral("StaticText1"))->text().startsWith(
        QStringLiteral("In het Eigen.kvi ontbreken enkele bestanddelen")));
    if (c.button)
      form.findChild<QPushButton*>(QString::fromLatin1(c.button))->click();
    else
      form.close();
    EXPECT_EQ(form.Combine(), c.combine);
  }
  gui::TExportOpenForm form("Eigen.kvi");
  form.show();
  SaveScreenshot(&form, QStringLiteral("missing_components_question"));
}

TEST(MissingComponentsQuestion, ReadOnlyOnTheRealWindowBindsTheTableWriteProtected) {
  TTestHome home;
  const std::string kvp = home.CopyExample("worked-example.kvp");
  // The project's own index file lacks its component "Arbeid".
  {
    storage::TStorageFile f("2007.07 Beta", storage::StorageDocKind::Index, home.File("worked-example.kvi"));
    f.FirstMonth = EncodeDate(2008, 1, 1);
    f.LastMonth = EncodeDate(2008, 12, 1);
    f.Component(1).Name = "Materiaal";
    f.Component(1).Position = 1;
    f.ComponentCount = 1;
    ASSERT_EQ(f.Save(), storage::KlWriteResult::Ok);
  }
  bool asked = false;
  AnswerNextModal([&asked](QWidget* dialog) {
    asked = dialog->objectName() == QStringLiteral("TExportOpenForm");
    SaveScreenshot(dialog, QStringLiteral("missing_components_question_on_open"));
    dialog->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
  });
  TProjectWindow w({.Arguments = {kvp}, .RealMergeDialogs = true});
  w.ShowActive();
  EXPECT_TRUE(asked);
  EXPECT_EQ(w.Document().ProjectName, "Voorbeeldproject");
  EXPECT_EQ(w.Window().IndexIndicatorText(), QStringLiteral("Indextabel schrijfbeveiligd"));
  EXPECT_EQ(w.Find<QLabel>("lCurIndex")->text(), QStringLiteral("Indextabel schrijfbeveiligd"));
  EXPECT_TRUE(w.Document().IndexTable->ComponentExists("Arbeid"));
  w.CloseWithoutSaving();
}

}  // namespace
}  // namespace pc::guitest
