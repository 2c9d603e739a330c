// The installments page as a user works with it on the real main window:
// reading the example's corrections, expanding an installment, typing a new
// one, a refused date, pasting from a spreadsheet through the paste dialog,
// deleting by emptying a name, and undo.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTest>

#include "gui/installments/installments_page.h"
#include "gui/installments/paste_installments_dialog.h"
#include "gui/support/gui_test_support.h"
#include "indextable/month_key.h"

namespace pc::guitest {
namespace {

using gui::TInstallmentGridModel;
using gui::TInstallmentsPage;

const char* const kBeforeStart = "Fout: Datum dient op of na de uitvoer-startdatum te liggen!";

class InstallmentsPageTest : public ::testing::Test {
 protected:
  void Open(bool example = true) {
    std::vector<std::string> args;
    if (example) {
      args.push_back(home_.CopyExample("worked-example.kvp"));
      home_.CopyExample("worked-example.kvi");
    }
    window_ = std::make_unique<TScriptedWindow>(args);
    window_->Window().show();
    window_->Window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_->Window()));
    Navigate(2);
  }
  void TearDown() override {
    if (!window_) return;
    window_->messages.QueueDialogAnswer(TDialogAnswer::daNee);
    window_->Window().close();
  }
  void Navigate(int item) {
    window_->Window().findChild<QListWidget*>(QStringLiteral("NavList"))->setCurrentRow(item);
    QApplication::processEvents();
  }

  TInstallmentsPage* Page() const {
    return static_cast<TInstallmentsPage*>(window_->Window().Page(gui::TPageId::TSTermijn));
  }
  gui::TInstallmentGrid* Grid() const { return Page()->Grid(); }
  TInstallmentGridModel* Model() const { return Page()->Model(); }
  int NewRow() const { return Model()->rowCount(); }  // grid rows count from 1
  QString Cell(int gridRow, int column) const {
    return Model()->index(gridRow - 1, column).data(TInstallmentGridModel::ShownTextRole).toString();
  }
  std::vector<std::string> Row(int gridRow) const {
    std::vector<std::string> texts;
    for (int c = 1; c < 9; ++c) texts.push_back(Cell(gridRow, c).toStdString());
    return texts;
  }
  QString Label(const char* name) const {
    return window_->Window().findChild<QLabel*>(QString::fromLatin1(name))->text();
  }
  // Types `text` into the cell as a user does: the first key opens the
  // editor, the rest goes into it, Enter stores it.
  void Type(int gridRow, int column, const QString& text) {
    Grid()->SelectCell(gridRow, column);
    QTest::keyClick(Grid(), Qt::Key_F2);
    auto* editor = qobject_cast<QLineEdit*>(Grid()->indexWidget(Grid()->currentIndex()));
    ASSERT_NE(editor, nullptr) << "no editor on " << gridRow << "," << column;
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Backspace);
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
  }
  std::vector<std::string> Messages() const { return window_->messages.Messages(); }

  TTestHome home_;
  std::unique_ptr<TScriptedWindow> window_;
};

TEST_F(InstallmentsPageTest, ShowsTheExampleRowAndItsSubPeriods) {
  Open();
  ASSERT_EQ(window_->Window().ActivePage(), gui::TPageId::TSTermijn);
  EXPECT_TRUE(Grid()->hasFocus());
  ASSERT_EQ(Model()->rowCount(), 2);
  const std::string euro = "\u20ac ";
  EXPECT_EQ(Row(1), (std::vector<std::string>{"Termijn 1", "1-Feb-08", "15-Mrt-08", "44", euro + "10.000,00", euro + "4.000,00",
                                 "", euro + "100,45"}));
  EXPECT_EQ(Model()->headerData(6, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Arbeid (40,00%)"));
  EXPECT_EQ(Model()->index(0, 1).data(Qt::FontRole).value<QFont>().bold(), true);
  EXPECT_EQ(Cell(2, 1), QStringLiteral("(Termijn toevoegen)"));
  EXPECT_EQ(Model()->index(1, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(192, 192, 192));
  EXPECT_EQ(Label("LblCompTotal"), QStringLiteral("100,45"));
  EXPECT_EQ(Label("LblPrjTotal"), QStringLiteral("100,45"));
  EXPECT_EQ(Label("LCalcKind2"), QString::fromUtf8("Offici\u00eble berekeningsmethode"));
  SaveScreenshot(&window_->Window(), QStringLiteral("installments_page_collapsed"));

  // A click on the group mark shows the sub-periods; no undo step.
  const bool couldUndo = window_->Window().History().CanUndo();
  QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {}, Grid()->visualRect(Model()->index(0, 0)).center());
  ASSERT_EQ(Model()->rowCount(), 4);
  EXPECT_EQ(Row(2), (std::vector<std::string>{"", "1-Feb-08", "29-Feb-08", "29", euro + "6.590,91", euro + "2.636,36", "2,00 %",
                                 euro + "52,73"}));
  EXPECT_EQ(Row(3), (std::vector<std::string>{"", "1-Mrt-08", "15-Mrt-08", "15", euro + "3.409,09", euro + "1.363,64", "3,50 %",
                                 euro + "47,73"}));
  EXPECT_EQ(Model()->index(1, 0).data(Qt::BackgroundRole).value<QColor>(), QColor(Qt::white));
  EXPECT_EQ(window_->Window().History().CanUndo(), couldUndo);
  SaveScreenshot(&window_->Window(), QStringLiteral("installments_page_expanded"));
  QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {}, Grid()->visualRect(Model()->index(0, 0)).center());
  EXPECT_EQ(Model()->rowCount(), 2);
}

TEST_F(InstallmentsPageTest, TypingANewInstallmentOnTheLastRowAddsItAndUndoRemovesIt) {
  Open();
  Type(NewRow(), 1, QStringLiteral("Termijn 2"));
  EXPECT_EQ(Cell(NewRow(), 1), QStringLiteral("Termijn 2"));
  Type(NewRow(), 5, QStringLiteral("5000.5"));  // the typed point is the decimal comma
  Type(NewRow(), 3, QStringLiteral("30-4-08"));
  QApplication::processEvents();
  ASSERT_EQ(Model()->rowCount(), 3);
  EXPECT_EQ(Cell(2, 1), QStringLiteral("Termijn 2"));
  EXPECT_EQ(Cell(2, 2), QStringLiteral("16-Mrt-08"));
  EXPECT_EQ(Cell(2, 5), QString::fromUtf8("\u20ac 5.000,50"));
  EXPECT_EQ(Cell(3, 1), QStringLiteral("(Termijn toevoegen)"));
  EXPECT_EQ(Grid()->CurrentGridRow(), 2);  // the cursor lands on the new installment
  EXPECT_NE(Label("LblPrjTotal"), QStringLiteral("100,45"));
  EXPECT_TRUE(Messages().empty());

  // Each typed value was its own step; undo takes back the added installment.
  window_->Trigger("actUndo");
  EXPECT_EQ(Model()->rowCount(), 2);
  EXPECT_EQ(Label("LblPrjTotal"), QStringLiteral("100,45"));
  EXPECT_EQ(Cell(2, 3), QStringLiteral("(Datum)"));
  EXPECT_EQ(Cell(2, 1), QStringLiteral("Termijn 2"));  // the half-typed entry of the step before
}

TEST_F(InstallmentsPageTest, ADateBeforeTheStartOfWorksGivesItsMessageAndAddsNothing) {
  Open();
  Type(NewRow(), 1, QStringLiteral("Vooraf"));
  const std::size_t steps = window_->Window().History().UndoCount();
  Type(NewRow(), 3, QStringLiteral("15-1-08"));
  EXPECT_EQ(Messages(), std::vector<std::string>{kBeforeStart});
  EXPECT_EQ(Model()->rowCount(), 2);
  EXPECT_EQ(Cell(NewRow(), 3), QStringLiteral("(Datum)"));
  EXPECT_EQ(window_->Window().History().UndoCount(), steps);
}

TEST_F(InstallmentsPageTest, EmptyingTheNameDeletesTheInstallmentAsOneStep) {
  Open();
  const std::size_t steps = window_->Window().History().UndoCount();
  Type(1, 1, QString());
  EXPECT_EQ(Model()->rowCount(), 1);
  EXPECT_EQ(Label("LblPrjTotal"), QStringLiteral("0,00"));
  EXPECT_EQ(window_->Window().History().UndoCount(), steps + 1);
  Grid()->SelectCell(2, 5);
  window_->Trigger("actUndo");
  EXPECT_EQ(Cell(1, 1), QStringLiteral("Termijn 1"));
  EXPECT_EQ(Label("LblPrjTotal"), QStringLiteral("100,45"));
  // Undo puts the cursor back on the edited cell.
  EXPECT_EQ(Grid()->CurrentGridRow(), 1);
  EXPECT_EQ(Grid()->CurrentColumn(), 1);
}

std::vector<std::string> Column(const QTableWidget* grid, int column) {
  std::vector<std::string> texts;
  for (int r = 0; r < grid->rowCount(); ++r) texts.push_back(grid->item(r, column)->text().toStdString());
  return texts;
}

QString ShortDate(int day, int month) {
  const char* const months[] = {"Jan", "Feb", "Mrt", "Apr", "Mei", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dec"};
  return QStringLiteral("%1-%2-08").arg(day).arg(QString::fromLatin1(months[month - 1]));
}

TEST_F(InstallmentsPageTest, TenRowsFromADutchSpreadsheetArriveInOneStep) {
  Open();
  QString sheet;
  for (int i = 1; i <= 10; ++i)
    sheet += QStringLiteral("Termijn %1\t%2-%3-2008\t%4.234,50\r\n").arg(i + 1).arg(i + 16).arg(i + 2).arg(i);
  QGuiApplication::clipboard()->setText(sheet);
  Grid()->SelectCell(1, 1);
  Grid()->setFocus();
  QApplication::processEvents();
  ASSERT_EQ(window_->Window().FocusedGrid(), 2);
  bool dialogShown = false;
  Page()->SetPasteDialogRunner([&](gui::TTermijnAddForm&) { return dialogShown = true; });
  const std::size_t steps = window_->Window().History().UndoCount();
  window_->Trigger("actPaste");
  EXPECT_FALSE(dialogShown);  // every row is accepted
  ASSERT_EQ(Model()->rowCount(), 12);
  EXPECT_EQ(window_->Window().History().UndoCount(), steps + 1);
  for (int i = 1; i <= 10; ++i) {
    SCOPED_TRACE(i);
    const int row = i + 1;
    EXPECT_EQ(Cell(row, 1), QStringLiteral("Termijn %1").arg(i + 1));
    EXPECT_EQ(Cell(row, 3), ShortDate(i + 16, i + 2));
    EXPECT_EQ(Cell(row, 5), QString::fromUtf8("\u20ac %1.234,50").arg(i));
  }
  window_->Trigger("actUndo");
  EXPECT_EQ(Model()->rowCount(), 2);
  EXPECT_EQ(Label("LblPrjTotal"), QStringLiteral("100,45"));
}

TEST_F(InstallmentsPageTest, PasteDialogMarksDuplicatesAndAddsOnlyAcceptedRows) {
  Open();
  QGuiApplication::clipboard()->setText(QStringLiteral(
      "Termijnnaam\tEinddatum\tBedrag\r\nApril\t30-4-2008\t1234.50\r\nOok april\t30-04-2008\t10\r\n"
      "Te vroeg\t15-1-2008\t5\r\nBestaand\t15-3-2008\t5\r\nMei\t31-5-2008\t2.000\r\n"));
  std::vector<std::string> statuses;
  Page()->SetPasteDialogRunner([&](gui::TTermijnAddForm& form) {
    form.show();
    auto* grid = form.findChild<QTableWidget*>(QStringLiteral("GrdRecords"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("PrijsCorrectum - Termijnen Plakken"));
    statuses = Column(grid, grid->columnCount() - 1);
    EXPECT_EQ(Column(grid, 2)[1], "\u20ac 1.234,50");
    SaveScreenshot(&form, QStringLiteral("paste_installments_dialog"));
    QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("BtnAdd")), Qt::LeftButton);
    return form.result() == QDialog::Accepted;
  });
  QTest::keyClick(Grid(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(statuses, (std::vector<std::string>{"Geen geldige datum!", "Goedgekeurd", "Datum reeds in deze lijst!",
                                                "Datum ligt voor uitvoer-startdatum!", "Datum reeds in gebruik!",
                                                "Goedgekeurd"}));
  ASSERT_EQ(Model()->rowCount(), 4);
  EXPECT_EQ(Cell(2, 1), QStringLiteral("April"));
  EXPECT_EQ(Cell(2, 5), QString::fromUtf8("\u20ac 1.234,50"));
  EXPECT_EQ(Cell(3, 5), QString::fromUtf8("\u20ac 2.000,00"));
}

TEST_F(InstallmentsPageTest, CancellingThePasteDialogAddsNothing) {
  Open();
  QGuiApplication::clipboard()->setText(QStringLiteral("A\t30-4-08\rB\t30-4-08"));
  Page()->SetPasteDialogRunner([](gui::TTermijnAddForm&) { return false; });
  const std::size_t steps = window_->Window().History().UndoCount();
  QTest::keyClick(Grid(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Model()->rowCount(), 2);
  EXPECT_EQ(window_->Window().History().UndoCount(), steps);
}

TEST_F(InstallmentsPageTest, CopiedRowsPasteBackAsTheGridsOwnLayout) {
  Open();
  Grid()->SelectCell(1, 1);
  Grid()->setFocus();
  QApplication::processEvents();
  window_->Trigger("actCopy");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("Termijn 1"));
  Grid()->selectionModel()->select(QItemSelection(Model()->index(0, 0), Model()->index(0, 8)),
                                   QItemSelectionModel::ClearAndSelect);
  window_->Trigger("actCopy");
  EXPECT_EQ(QGuiApplication::clipboard()->text(),
            QStringLiteral("Termijn 1\t1-Feb-08\t15-Mrt-08\t44\t10000,00\t4000,00\t \t100,45"));
  // Cut removes it, paste brings it back.
  window_->Trigger("ActCut");
  EXPECT_EQ(Model()->rowCount(), 1);
  Grid()->SelectCell(1, 1);
  Grid()->selectionModel()->select(Grid()->model()->index(0, 1), QItemSelectionModel::ClearAndSelect);
  QGuiApplication::clipboard()->setText(
      QStringLiteral("Termijn 1\t1-Feb-08\t15-Mrt-08\t44\t10000,00\t4000,00\t \t100,45"));
  window_->Trigger("actPaste");
  EXPECT_EQ(Cell(1, 8), QString::fromUtf8("\u20ac 100,45"));
}

TEST_F(InstallmentsPageTest, AnIndexFigureChangedElsewhereShowsHereAndUndoes) {
  Open();
  Navigate(1);
  project::TProject& history = window_->Window().History();
  history.BeginStep(true);
  TBDConfig& table = *history.Current().IndexTable;
  ASSERT_TRUE(table.SetFigure(1, table.RowOfMonth(MonthKeyOfYearMonth(2008, 3)), false, 105.0));
  window_->Window().UpdateWindowState();
  Navigate(2);
  EXPECT_EQ(Cell(1, 8), QString::fromUtf8("\u20ac 120,91"));
  EXPECT_EQ(Label("LblPrjTotal"), QStringLiteral("120,91"));
  window_->Trigger("actUndo");
  EXPECT_EQ(window_->Window().ActivePage(), gui::TPageId::TSIndex);
  Navigate(2);
  EXPECT_EQ(Cell(1, 8), QString::fromUtf8("\u20ac 100,45"));
}

TEST_F(InstallmentsPageTest, ASingleValuePastedIntoACellCountsAsTyped) {
  Open();
  struct TCase {
    const char* Clipboard;
    const char* Shown;
  };
  // A spreadsheet's "1234.50" is 1.234,50; a Dutch "1.234,5" as well.
  const TCase cases[] = {{"1234.50", "\u20ac 1.234,50"}, {"2.345,5\r\n", "\u20ac 2.345,50"}, {"12.5", "\u20ac 12,50"}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Clipboard);
    const std::size_t steps = window_->Window().History().UndoCount();
    QGuiApplication::clipboard()->setText(QString::fromUtf8(c.Clipboard));
    Grid()->SelectCell(1, 5);
    QTest::keyClick(Grid(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Cell(1, 5).toStdString(), c.Shown);
    EXPECT_EQ(window_->Window().History().UndoCount(), steps + 1);
  }
  // Into a read-only cell nothing happens.
  const std::size_t steps = window_->Window().History().UndoCount();
  Grid()->SelectCell(1, 8);
  QTest::keyClick(Grid(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(window_->Window().History().UndoCount(), steps);
}

TEST_F(InstallmentsPageTest, TabMovesBetweenEditableCellsAndDeleteRemovesRows) {
  Open();
  Grid()->SelectCell(1, 1);
  QTest::keyClick(Grid(), Qt::Key_Tab);
  EXPECT_EQ(Grid()->CurrentColumn(), 3);
  QTest::keyClick(Grid(), Qt::Key_Tab);
  QTest::keyClick(Grid(), Qt::Key_Tab);
  EXPECT_EQ(Grid()->CurrentGridRow(), 2);
  EXPECT_EQ(Grid()->CurrentColumn(), 1);
  Grid()->SelectCell(1, 1);
  QTest::keyClick(Grid(), Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(Grid()->CurrentGridRow(), 2);
  EXPECT_EQ(Grid()->CurrentColumn(), 5);

  Grid()->SelectCell(1, 4);
  QTest::keyClick(Grid(), Qt::Key_Delete);
  EXPECT_EQ(Model()->rowCount(), 1);
  window_->Trigger("actUndo");
  EXPECT_EQ(Model()->rowCount(), 2);
}

TEST_F(InstallmentsPageTest, AVariableComponentTakesItsAmountPerInstallment) {
  Open();
  Navigate(1);
  project::TProject& history = window_->Window().History();
  history.BeginStep(true);
  TBDConfig& table = *history.Current().IndexTable;
  TComponentValues material;
  material.Name = "Materiaal";
  material.Variable = true;
  const int position = table.PositionOf(table.AddComponent(material));
  for (int month = 1; month <= 3; ++month)
    table.SetFigure(position, table.RowOfMonth(MonthKeyOfYearMonth(2008, month)), false, 100.0 + 10 * (month - 1));
  Navigate(2);
  auto* chooser = window_->Window().findChild<QComboBox*>(QStringLiteral("edtTermCurBD"));
  ASSERT_EQ(chooser->count(), 2);
  EXPECT_EQ(chooser->currentText(), QStringLiteral("Arbeid (40,00%)"));
  chooser->setCurrentIndex(1);
  EXPECT_EQ(Model()->headerData(6, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Materiaal ( var )"));
  EXPECT_TRUE(Model()->index(0, 6).data(TInstallmentGridModel::EditableRole).toBool());
  Type(1, 6, QStringLiteral("4400"));
  // 29 days at 10 % and 15 days at 20 % of 100 a day.
  EXPECT_EQ(Cell(1, 8), QString::fromUtf8("\u20ac 590,00"));
  EXPECT_EQ(Label("LblCompTotal"), QStringLiteral("590,00"));
  EXPECT_EQ(Label("LblPrjTotal"), QStringLiteral("690,45"));
  chooser->setCurrentIndex(0);
  EXPECT_EQ(Cell(1, 8), QString::fromUtf8("\u20ac 100,45"));
}

TEST_F(InstallmentsPageTest, ContextMenuOffersTheClipboardCommands) {
  Open();
  QGuiApplication::clipboard()->setText(QStringLiteral("Termijn 9\t1-1-2009\t100"));
  QTest::mouseClick(Grid()->viewport(), Qt::RightButton, {}, Grid()->visualRect(Model()->index(0, 3)).center());
  auto* popup = Page()->findChild<QMenu*>(QStringLiteral("TermGridPopup1"));
  ASSERT_NE(popup, nullptr);
  EXPECT_TRUE(popup->isVisible());
  EXPECT_EQ(Grid()->CurrentColumn(), 3);
  std::vector<std::string> captions;
  for (QAction* item : popup->actions()) captions.push_back(item->text().toStdString() + (item->isEnabled() ? "" : "-"));
  EXPECT_EQ(captions, (std::vector<std::string>{"K&nippen", "&Kopi\u00ebren", "&Plakken", "&Verwijderen"}));
  SaveScreenshot(popup, QStringLiteral("installments_context_menu"));
  popup->hide();
  popup->actions().at(3)->trigger();
  EXPECT_EQ(Model()->rowCount(), 1);
  // On the new row only paste is offered.
  QTest::mouseClick(Grid()->viewport(), Qt::RightButton, {}, Grid()->visualRect(Model()->index(0, 1)).center());
  EXPECT_FALSE(popup->actions().at(0)->isEnabled());
  EXPECT_FALSE(popup->actions().at(1)->isEnabled());
  EXPECT_FALSE(popup->actions().at(3)->isEnabled());
  popup->hide();
}

TEST(PasteInstallmentsDialog, ShowsTheVarColumnOrTheNoRecordsPage) {
  gui::TTermijnAddForm form;
  TPasteRead read;
  TPastedTermijn candidate;
  candidate.Name = "Termijn 2";
  candidate.DateText = "30-Apr-08";
  candidate.AmountText = "1.000,00";
  candidate.ComponentAmountText = "250,00";
  read.Candidates = {candidate};
  form.ShowCandidates(read, true);
  auto* grid = form.findChild<QTableWidget*>(QStringLiteral("GrdRecords"));
  ASSERT_EQ(grid->columnCount(), 5);
  EXPECT_EQ(grid->horizontalHeaderItem(3)->text(), QStringLiteral("Var"));
  EXPECT_EQ(grid->item(0, 3)->text().toStdString(), "\u20ac 250,00");
  EXPECT_TRUE(form.CanConfirm());
  form.show();
  SaveScreenshot(&form, QStringLiteral("paste_installments_dialog_var"));

  gui::TTermijnAddForm empty;
  empty.ShowCandidates(TPasteRead{}, false);
  empty.show();
  auto* pages = empty.findChild<QStackedWidget*>(QStringLiteral("Pages"));
  EXPECT_EQ(pages->currentWidget()->objectName(), QStringLiteral("TabNoRecords"));
  EXPECT_FALSE(empty.CanConfirm());
  SaveScreenshot(&empty, QStringLiteral("paste_installments_dialog_no_records"));
}

TEST_F(InstallmentsPageTest, WithoutComponentsTheMessagePageIsShown) {
  Open(false);
  EXPECT_EQ(window_->Window().ActivePage(), gui::TPageId::TSTermijnMsg);
  EXPECT_EQ(window_->Window().findChild<QLabel*>(QStringLiteral("LblTermijnMsg1"))->text(),
            QStringLiteral("Voordat u termijnen kunt invoeren dient u bestanddelen te selecteren voor dit project."));
  SaveScreenshot(&window_->Window(), QStringLiteral("installments_message_page"));
}

}  // namespace
}  // namespace pc::guitest
