// The window's pages together, as a user works through them: a figure typed
// on the index page shows on the installments page and undoes back to its
// cell; the method line chooses the calculation method; the index menu
// switches central index files and shows an online index; the preview of the
// installments follows the index page and closes back to the pages.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>

#include "../indextable/index_test_support.h"
#include "../project/project_window.h"
#include "gui/common/link_label.h"
#include "gui/common/nullable_date_edit.h"
#include "gui/installments/installments_page.h"
#include "gui/reports/print_bd_dialog.h"
#include "gui/reports/print_preview_frame.h"
#include "gui/reports/report_commands.h"
#include "gui/update/online_index_info_form.h"
#include "settings/kv_config.h"

namespace pc::guitest {
namespace {

const QString kEuro = QString::fromUtf8("\u20ac ");

// The worked example open in the real window, the index page showing.
struct TCrossPageFixture : TIndexPageFixture {
  gui::TInstallmentsPage* Installments() {
    return static_cast<gui::TInstallmentsPage*>(w.Window().Page(gui::TPageId::TSTermijn));
  }
  // The shown text of an installments grid cell (grid rows count from 1).
  QString Installment(int gridRow, int column) {
    return Installments()
        ->Model()
        ->index(gridRow - 1, column)
        .data(gui::TInstallmentGridModel::ShownTextRole)
        .toString();
  }
  QString Label(const char* name) { return w.Window().findChild<QLabel*>(QString::fromLatin1(name))->text(); }
  // Clicks the navigation list's item as a user does.
  void Navigate(int item) {
    auto* nav = w.Window().findChild<QListWidget*>(QStringLiteral("NavList"));
    QListWidgetItem* entry = nav->item(item);
    ASSERT_NE(entry, nullptr);
    QTest::mouseClick(nav->viewport(), Qt::LeftButton, {}, nav->visualItemRect(entry).center());
    Settle();
  }
  int March() { return RowOf(QStringLiteral("maart, 2008")); }
};

TEST(CrossPage, AFigureTypedOnTheIndexPageShowsInTheInstallmentsAndUndoesBackToItsCell) {
  TCrossPageFixture f;
  const int march = f.March();
  ASSERT_GE(march, 0);
  f.Type(march, 0, QStringLiteral("105"));
  EXPECT_EQ(f.Text(march, 0), QStringLiteral("105,00"));

  f.Navigate(2);
  ASSERT_EQ(f.w.Window().ActivePage(), gui::TPageId::TSTermijn);
  EXPECT_EQ(f.Installment(1, 1), QStringLiteral("Termijn 1"));
  EXPECT_EQ(f.Installment(1, 8), kEuro + QStringLiteral("120,91"));
  EXPECT_EQ(f.Label("LblCompTotal"), QStringLiteral("120,91"));
  EXPECT_EQ(f.Label("LblPrjTotal"), QStringLiteral("120,91"));
  SaveScreenshot(&f.w.Window(), QStringLiteral("cross_page_installments_after_index_edit"));

  // Undo takes the figure back and returns to the cell where it was typed.
  f.w.Trigger("actUndo");
  Settle();
  EXPECT_EQ(f.Installment(1, 8), kEuro + QStringLiteral("100,45"));
  EXPECT_EQ(f.w.Window().ActivePage(), gui::TPageId::TSIndex);
  EXPECT_EQ(f.Text(march, 0), QStringLiteral("103,50"));
  EXPECT_EQ(f.Grid()->currentIndex().row(), march);
  EXPECT_EQ(f.Grid()->currentIndex().column(), 0);
  SaveScreenshot(&f.w.Window(), QStringLiteral("cross_page_index_after_undo"));

  f.w.Trigger("actRedo");
  Settle();
  EXPECT_EQ(f.Text(march, 0), QStringLiteral("105,00"));
  f.Navigate(2);
  EXPECT_EQ(f.Installment(1, 8), kEuro + QStringLiteral("120,91"));
  EXPECT_EQ(f.Label("LblPrjTotal"), QStringLiteral("120,91"));
}

TEST(CrossPage, AFigureLeftInItsEditorGoesAlongToTheNextPageAndUndoAbandonsAnOpenEditor) {
  TCrossPageFixture f;
  const int march = f.March();
  // Typed without Enter, then straight to the installments.
  f.Select(march, 0);
  QTest::keyClick(f.Grid(), Qt::Key_Return);
  ASSERT_NE(f.Grid()->Editor(), nullptr);
  QTest::keyClicks(f.Grid()->Editor(), QStringLiteral("105"));
  f.Navigate(2);
  ASSERT_EQ(f.w.Window().ActivePage(), gui::TPageId::TSTermijn);
  EXPECT_EQ(f.Installment(1, 8), kEuro + QStringLiteral("120,91"));
  EXPECT_TRUE(f.w.Window().Menus().File->menuAction()->isEnabled());

  // Back on the index page an editor is open on another figure when the
  // user chooses undo from the menu: the editor's text is dropped and the
  // figure before it comes back.
  f.Navigate(1);
  ASSERT_EQ(f.w.Window().ActivePage(), gui::TPageId::TSIndex);
  f.Select(0, 0);
  QTest::keyClick(f.Grid(), Qt::Key_Return);
  ASSERT_NE(f.Grid()->Editor(), nullptr);
  QTest::keyClicks(f.Grid()->Editor(), QStringLiteral("90"));
  f.w.Trigger("actUndo");
  Settle();
  EXPECT_EQ(f.Grid()->Editor(), nullptr);
  EXPECT_EQ(f.Text(0, 0), QStringLiteral("100,00"));
  EXPECT_EQ(f.Text(march, 0), QStringLiteral("103,50"));
  EXPECT_TRUE(f.w.Window().Menus().File->menuAction()->isEnabled());
  f.Navigate(2);
  EXPECT_EQ(f.Installment(1, 8), kEuro + QStringLiteral("100,45"));
}

TEST(CrossPage, ALaterStartOfWorksOnTheProjectPageShortensTheFirstInstallment) {
  TCrossPageFixture f;
  f.Navigate(0);
  ASSERT_EQ(f.w.Window().ActivePage(), gui::TPageId::TSPrj);
  auto* start = f.w.Window().findChild<gui::TNullableDateEdit*>(QStringLiteral("EdtAanvang"));
  ASSERT_NE(start, nullptr);
  start->setFocus();
  start->setDate(QDate(2008, 3, 1));
  f.Navigate(2);
  ASSERT_EQ(f.w.Window().ActivePage(), gui::TPageId::TSTermijn);
  // Only March counts now: 3,50 % of 4.000,00.
  EXPECT_EQ(f.Installment(1, 2), QStringLiteral("1-Mrt-08"));
  EXPECT_EQ(f.Installment(1, 4), QStringLiteral("15"));
  EXPECT_EQ(f.Installment(1, 8), kEuro + QStringLiteral("140,00"));
  EXPECT_EQ(f.Label("LblPrjTotal"), QStringLiteral("140,00"));
  SaveScreenshot(&f.w.Window(), QStringLiteral("cross_page_later_start"));

  f.w.Trigger("actUndo");
  Settle();
  EXPECT_EQ(f.w.Window().ActivePage(), gui::TPageId::TSPrj);
  EXPECT_EQ(start->date(), QDate(2008, 2, 1));
  f.Navigate(2);
  EXPECT_EQ(f.Installment(1, 2), QStringLiteral("1-Feb-08"));
  EXPECT_EQ(f.Installment(1, 8), kEuro + QStringLiteral("100,45"));
}

TEST(CrossPage, ASavedFigureComesBackFromTheRecentMenuAndUnsavedOnesAreDroppedOnNee) {
  TCrossPageFixture f;
  const int march = f.March();
  f.Type(march, 0, QStringLiteral("105"));
  f.w.Trigger("ActSave");
  EXPECT_FALSE(f.w.Window().History().IsModified());
  f.Type(march, 0, QStringLiteral("110"));
  ASSERT_TRUE(f.w.Window().History().IsModified());

  QMenu* recent = f.w.Window().Menus().Recent;
  Q_EMIT recent->aboutToShow();
  QAction* entry = nullptr;
  for (QAction* a : recent->actions())
    if (a->text().endsWith(gui::PathToQt(f.kvp))) entry = a;
  ASSERT_NE(entry, nullptr);
  ASSERT_TRUE(entry->isEnabled());
  f.w.messages.QueueDialogAnswer(TDialogAnswer::daNee);
  entry->trigger();
  Settle();
  EXPECT_EQ(f.w.messages.Calls().size(), 1u);  // the save question
  EXPECT_FALSE(f.w.Window().History().IsModified());
  EXPECT_FALSE(f.w.Window().History().CanUndo());
  f.Navigate(1);
  EXPECT_EQ(f.Text(f.March(), 0), QStringLiteral("105,00"));
  f.Navigate(2);
  EXPECT_EQ(f.Installment(1, 8), kEuro + QStringLiteral("120,91"));
  EXPECT_EQ(f.Label("LblPrjTotal"), QStringLiteral("120,91"));
}

TEST(CrossPage, AnInstallmentEditUndoneFromTheIndexPageReturnsToItsCell) {
  TCrossPageFixture f;
  f.Navigate(2);
  gui::TInstallmentGrid* grid = f.Installments()->Grid();
  grid->SelectCell(1, 5);
  QTest::keyClick(grid, Qt::Key_F2);
  auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(grid->currentIndex()));
  ASSERT_NE(editor, nullptr);
  editor->selectAll();
  QTest::keyClicks(editor, QStringLiteral("20000"));
  QTest::keyClick(editor, Qt::Key_Return);
  Settle();
  EXPECT_EQ(f.Installment(1, 8), kEuro + QStringLiteral("200,91"));

  f.Navigate(1);
  grid->SelectCell(1, 1);  // the installments cursor moved on meanwhile
  f.w.Trigger("actUndo");
  Settle();
  EXPECT_EQ(f.w.Window().ActivePage(), gui::TPageId::TSTermijn);
  EXPECT_EQ(f.Installment(1, 5), kEuro + QStringLiteral("10.000,00"));
  EXPECT_EQ(f.Installment(1, 8), kEuro + QStringLiteral("100,45"));
  EXPECT_EQ(grid->CurrentGridRow(), 1);
  EXPECT_EQ(grid->CurrentColumn(), 5);
}

TEST(CrossPage, ClosingWithAnOpenInstallmentEditorDropsTheTextAndAsksNothing) {
  auto f = std::make_unique<TCrossPageFixture>();
  f->Navigate(2);
  gui::TInstallmentGrid* grid = f->Installments()->Grid();
  grid->SelectCell(1, 5);
  QTest::keyClick(grid, Qt::Key_F2);
  auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(grid->currentIndex()));
  ASSERT_NE(editor, nullptr);
  editor->selectAll();
  QTest::keyClicks(editor, QStringLiteral("20000"));
  const std::size_t asked = f->w.messages.Calls().size();
  EXPECT_TRUE(f->w.Close());
  EXPECT_EQ(f->w.messages.Calls().size(), asked);
  EXPECT_FALSE(f->w.Window().History().IsModified());
  EXPECT_EQ(f->Installment(1, 5), kEuro + QStringLiteral("10.000,00"));
}

TEST(CrossPage, TheMethodLineChoosesTheSimplifiedMethodAsOneStep) {
  TCrossPageFixture f;
  f.Navigate(2);
  ASSERT_EQ(f.w.Window().ActivePage(), gui::TPageId::TSTermijn);
  auto* line = f.w.Window().findChild<gui::TLinkLabel*>(QStringLiteral("LCalcKind2"));
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->text(), QString::fromUtf8("Offici\u00eble berekeningsmethode"));
  const std::size_t steps = f.w.Window().History().UndoCount();

  QString title;
  AnswerNextModal([&title](QWidget* dialog) {
    title = dialog->windowTitle();
    SaveScreenshot(dialog, QStringLiteral("cross_page_method_dialog"));
    Click(dialog->findChild<QLabel*>(QStringLiteral("lSimpCalcTitle")));
    dialog->findChild<QPushButton*>(QStringLiteral("BtnToepassen"))->click();
  });
  Click(line);
  Settle();
  EXPECT_EQ(title, QStringLiteral("Berekeningsmethode selectie"));
  EXPECT_EQ(f.Doc().CalcMethod, 1);
  EXPECT_EQ(f.w.Window().History().UndoCount(), steps + 1);
  EXPECT_EQ(f.Installment(1, 8), kEuro + QStringLiteral("140,00"));
  EXPECT_EQ(f.Label("LblPrjTotal"), QStringLiteral("140,00"));
  EXPECT_EQ(line->text(), QStringLiteral("Vereenvoudigde berekeningsmethode"));
  SaveScreenshot(&f.w.Window(), QStringLiteral("cross_page_simplified_method"));

  // Cancelling the dialog changes nothing.
  AnswerNextModal([](QWidget* dialog) {
    Click(dialog->findChild<QLabel*>(QStringLiteral("lDefCalcTitle")));
    dialog->findChild<QPushButton*>(QStringLiteral("BtnAnnuleer"))->click();
  });
  Click(line);
  Settle();
  EXPECT_EQ(f.Doc().CalcMethod, 1);
  EXPECT_EQ(f.w.Window().History().UndoCount(), steps + 1);

  f.w.Trigger("actUndo");
  Settle();
  EXPECT_EQ(f.w.Window().ActivePage(), gui::TPageId::TSTermijn);
  EXPECT_EQ(f.Doc().CalcMethod, 0);
  EXPECT_EQ(f.Installment(1, 8), kEuro + QStringLiteral("100,45"));
  EXPECT_EQ(line->text(), QString::fromUtf8("Offici\u00eble berekeningsmethode"));
}

TEST(CrossPage, SwitchingTheCentralIndexFileIsOneStepAndMarksTheProjectModified) {
  TCrossPageFixture f;
  const std::string central = f.Doc().CentralFolder();
  ASSERT_FALSE(central.empty());
  ASSERT_TRUE(QFile::copy(gui::PathToQt(f.kvi), gui::PathToQt(central + "Regio.kvi")));
  ASSERT_FALSE(f.w.Window().History().IsModified());
  const std::string before = f.Doc().IndexPath;
  const std::size_t steps = f.w.Window().History().UndoCount();

  QMenu* local = f.w.Window().Menus().Index->findChild<QMenu*>(QStringLiteral("MnuIndexLocal"));
  ASSERT_NE(local, nullptr);
  Q_EMIT local->aboutToShow();
  QAction* regio = nullptr;
  for (QAction* a : local->actions())
    if (a->text() == QStringLiteral("Regio")) regio = a;
  ASSERT_NE(regio, nullptr);
  ASSERT_TRUE(regio->isEnabled());
  regio->trigger();
  Settle();
  EXPECT_NE(f.Doc().IndexPath.find("Regio.kvi"), std::string::npos) << f.Doc().IndexPath;
  EXPECT_EQ(f.w.Window().History().UndoCount(), steps + 1);
  EXPECT_TRUE(f.w.Window().History().IsModified());
  EXPECT_TRUE(f.w.Window().IndexIndicatorText().contains(QStringLiteral("Regio")));
  // The same figures: the installments are unchanged.
  f.Navigate(2);
  EXPECT_EQ(f.Installment(1, 8), kEuro + QStringLiteral("100,45"));
  SaveScreenshot(&f.w.Window(), QStringLiteral("cross_page_switched_index_file"));

  f.w.Trigger("actUndo");
  Settle();
  EXPECT_EQ(f.Doc().IndexPath, before);
  EXPECT_FALSE(f.w.Window().History().IsModified());
  EXPECT_FALSE(f.w.Window().IndexIndicatorText().contains(QStringLiteral("Regio")));
}

// The central index submenu's entry of the default index file.
QAction* DefaultCentralEntry(TCrossPageFixture& f) {
  QMenu* local = f.w.Window().Menus().Index->findChild<QMenu*>(QStringLiteral("MnuIndexLocal"));
  Q_EMIT local->aboutToShow();
  for (QAction* a : local->actions())
    if (a->text().endsWith(QStringLiteral("(standaard indextabelbestand)"))) return a;
  ADD_FAILURE() << "no default index file in the menu";
  return nullptr;
}

TEST(CrossPage, SwitchingToAFileWithoutTheComponentAsksAndCancelKeepsEverything) {
  TCrossPageFixture f;
  QAction* entry = DefaultCentralEntry(f);
  ASSERT_NE(entry, nullptr);
  const std::string before = f.Doc().IndexPath;
  const std::size_t steps = f.w.Window().History().UndoCount();
  // No answer queued: the switch dialog is cancelled.
  entry->trigger();
  Settle();
  ASSERT_EQ(f.w.questions.SwitchDialogs.size(), 1u);
  ASSERT_EQ(f.w.questions.SwitchDialogs[0].size(), 1u);
  EXPECT_EQ(f.w.questions.SwitchDialogs[0][0].Name, "Arbeid");
  EXPECT_EQ(f.Doc().IndexPath, before);
  EXPECT_EQ(f.w.Window().History().UndoCount(), steps);
  EXPECT_FALSE(f.w.Window().History().IsModified());
  EXPECT_EQ(f.Model()->columnCount(), 1);
  f.Navigate(2);
  ASSERT_EQ(f.w.Window().ActivePage(), gui::TPageId::TSTermijn);
  EXPECT_EQ(f.Installment(1, 8), kEuro + QStringLiteral("100,45"));
}

TEST(CrossPage, SwitchingToAFileWithoutTheComponentRemovesItFromTheInstallmentsUntilUndo) {
  TCrossPageFixture f;
  QAction* entry = DefaultCentralEntry(f);
  ASSERT_NE(entry, nullptr);
  f.w.questions.QueueSwitchAnswer({true, {-1}});
  entry->trigger();
  Settle();
  ASSERT_EQ(f.w.questions.SwitchDialogs.size(), 1u);
  EXPECT_NE(f.Doc().IndexPath.find(std::string(settings::kDefaultIndexFileName)), std::string::npos);
  EXPECT_TRUE(f.w.Window().History().IsModified());
  EXPECT_EQ(f.Model()->columnCount(), 0);
  EXPECT_TRUE(f.Page()->findChild<QWidget*>(QStringLiteral("PNoIndex"))->isVisibleTo(f.Page()));
  f.Navigate(2);
  EXPECT_EQ(f.w.Window().ActivePage(), gui::TPageId::TSTermijnMsg);
  SaveScreenshot(&f.w.Window(), QStringLiteral("cross_page_component_removed_by_switch"));

  f.w.Trigger("actUndo");
  Settle();
  EXPECT_EQ(f.Model()->columnCount(), 1);
  EXPECT_FALSE(f.w.Window().History().IsModified());
  f.Navigate(2);
  ASSERT_EQ(f.w.Window().ActivePage(), gui::TPageId::TSTermijn);
  EXPECT_EQ(f.Installment(1, 8), kEuro + QStringLiteral("100,45"));
}

TEST(CrossPage, AnOnlineIndexFromTheIndexMenuOpensItsInformation) {
  TCrossPageFixture f;
  f.w.Window().Settings().ReplaceAvailOnlineIndices(
      {{"Bouwkosten & Co.kvi", "Maandelijkse indexen voor de bouw.\nVan 1990 tot nu."}});
  QMenu* online = f.w.Window().Menus().Index->findChild<QMenu*>(QStringLiteral("MnuIndexOnline"));
  ASSERT_NE(online, nullptr);
  EXPECT_EQ(online->title(), QStringLiteral("&Beschikbaar online"));
  Q_EMIT online->aboutToShow();
  ASSERT_EQ(online->actions().size(), 1);
  EXPECT_EQ(online->actions().at(0)->text(), QStringLiteral("Bouwkosten && Co"));
  online->actions().at(0)->trigger();
  Settle();

  auto* info = f.w.Window().findChild<gui::TfrmOnlineIndexInfo*>();
  ASSERT_NE(info, nullptr);
  EXPECT_TRUE(info->isVisible());
  EXPECT_EQ(info->windowTitle(), QStringLiteral("Online index informatie"));
  EXPECT_EQ(info->findChild<QLabel*>(QStringLiteral("LName"))->text(), QStringLiteral("Bouwkosten & Co Indexen"));
  EXPECT_TRUE(info->findChild<QLabel*>(QStringLiteral("LMemo"))->text().contains(QStringLiteral("Van 1990 tot nu.")));
  SaveScreenshot(info, QStringLiteral("cross_page_online_index_info"));

  // "Ja" opens the index web page and closes the window.
  QPointer<gui::TfrmOnlineIndexInfo> guard(info);
  info->findChild<QPushButton*>(QStringLiteral("BtnOk"))->click();
  Settle();
  EXPECT_EQ(f.w.shell.Opened.size(), 1u);
  EXPECT_TRUE(guard.isNull());
  EXPECT_TRUE(f.w.messages.Messages().empty());
}

TEST(CrossPage, ThePreviewOfTheInstallmentsFollowsTheIndexPageAndClosesBackToThePages) {
  TCrossPageFixture f;
  f.w.Window().resize(1100, 760);
  auto* commands = f.w.Window().findChild<gui::TReportCommands*>(QStringLiteral("ReportCommands"));
  ASSERT_NE(commands, nullptr);
  int componentDialogs = 0;
  commands->SetComponentDialog([&componentDialogs](gui::TPrintBD& dialog) {
    ++componentDialogs;
    return dialog.CanContinue();
  });
  f.Type(f.March(), 0, QStringLiteral("105"));
  f.Navigate(2);

  f.w.Trigger("ActPreview");
  Settle();
  EXPECT_EQ(componentDialogs, 1);
  gui::TFrmePrintPreview* preview = commands->Preview();
  ASSERT_NE(preview, nullptr);
  EXPECT_TRUE(f.w.Window().PreviewMode());
  EXPECT_EQ(f.w.Window().ClientStack()->currentWidget(), preview);
  ASSERT_GE(preview->PageCount(), 1);
  EXPECT_EQ(preview->CurrentPage(), 1);
  const QStringList first = preview->Pages().PageTexts(0);
  EXPECT_TRUE(first.contains(QStringLiteral("Voorbeeldproject")));
  EXPECT_TRUE(first.contains(QStringLiteral("120,91"))) << first.join(QLatin1Char('|')).toStdString();
  // While the preview shows, the document cannot change underneath it:
  // Ctrl+Z does nothing and the preview keeps matching the document.
  EXPECT_FALSE(f.w.Window().Action("actUndo")->isEnabled());
  EXPECT_FALSE(f.w.Window().Action("actRedo")->isEnabled());
  QTest::keyClick(&f.w.Window(), Qt::Key_Z, Qt::ControlModifier);
  Settle();
  EXPECT_NEAR(f.Correction(), 120.91, 0.005);
  SaveScreenshot(&f.w.Window(), QStringLiteral("cross_page_installments_preview"));

  auto* close = preview->findChild<QPushButton*>(QStringLiteral("BtnClose"));
  ASSERT_NE(close, nullptr);
  QTest::mouseClick(close, Qt::LeftButton);
  Settle();
  EXPECT_EQ(commands->Preview(), nullptr);
  EXPECT_FALSE(f.w.Window().PreviewMode());
  EXPECT_EQ(f.w.Window().ClientStack()->currentIndex(), 0);
  EXPECT_EQ(f.w.Window().ActivePage(), gui::TPageId::TSTermijn);
  EXPECT_TRUE(f.w.Window().Action("actUndo")->isEnabled());
  EXPECT_EQ(f.Installment(1, 8), kEuro + QStringLiteral("120,91"));
  SaveScreenshot(&f.w.Window(), QStringLiteral("cross_page_after_preview"));

  // The pages work on: undo still takes the figure back.
  f.w.Trigger("actUndo");
  Settle();
  EXPECT_EQ(f.w.Window().ActivePage(), gui::TPageId::TSIndex);
  EXPECT_EQ(f.Text(f.March(), 0), QStringLiteral("103,50"));
}

TEST(CrossPage, TheIndexMenuHidesDuringThePreviewOfTheIndexAndReturnsAfterwards) {
  TCrossPageFixture f;
  f.w.Window().resize(1100, 760);
  auto* commands = f.w.Window().findChild<gui::TReportCommands*>(QStringLiteral("ReportCommands"));
  ASSERT_NE(commands, nullptr);
  QAction* indexMenu = f.w.Window().Menus().Index->menuAction();
  EXPECT_TRUE(indexMenu->isVisible());
  f.w.Trigger("ActPreview");
  Settle();
  ASSERT_NE(commands->Preview(), nullptr);
  EXPECT_TRUE(commands->Preview()->IsIndexReport());
  EXPECT_FALSE(indexMenu->isVisible());
  const QStringList first = commands->Preview()->Pages().PageTexts(0);
  EXPECT_TRUE(first.contains(QStringLiteral("103,50"))) << first.join(QLatin1Char('|')).toStdString();
  SaveScreenshot(&f.w.Window(), QStringLiteral("cross_page_index_preview"));
  QTest::mouseClick(commands->Preview()->findChild<QPushButton*>(QStringLiteral("BtnClose")), Qt::LeftButton);
  Settle();
  EXPECT_EQ(f.w.Window().ActivePage(), gui::TPageId::TSIndex);
  EXPECT_TRUE(indexMenu->isVisible());
  // The grid takes typed figures again.
  f.Type(f.March(), 0, QStringLiteral("105"));
  EXPECT_EQ(f.Text(f.March(), 0), QStringLiteral("105,00"));
}

}  // namespace
}  // namespace pc::guitest
