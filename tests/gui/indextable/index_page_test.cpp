// The index page as a user works it: typing figures, undo, copy and paste
// with spreadsheets, components through their dialog, moving columns, the
// period box and a write-protected table.
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QMenu>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "index_test_support.h"
#include "indextable/component_edit.h"

namespace pc::guitest {
namespace {

// A dialog runner that fills the component dialog as a user would and
// confirms it with a click on "&Ok" (or with Enter in the name field).
struct TComponentInput {
  QString name;
  QString percentage = QStringLiteral("10");
  QString trendPercentage;  // empty: no trend
  bool enterInName = false;
  QString screenshot;
};
TComponentInput Input(const char* name, const char* percentage = "10", const char* trendPercentage = "",
                      bool enterInName = false, const char* screenshot = "") {
  return {QString::fromUtf8(name), QString::fromUtf8(percentage), QString::fromUtf8(trendPercentage), enterInName,
          QString::fromUtf8(screenshot)};
}
gui::TIndexPage::TDialogRunner FillComponentDialog(TComponentInput input) {
  return [input](QDialog& d) {
    d.show();
    auto* name = d.findChild<QLineEdit*>(QStringLiteral("EdtName"));
    if (name->isEnabled()) name->setText(input.name);
    auto* pro = d.findChild<QLineEdit*>(QStringLiteral("EdtPro"));
    if (pro->isEnabled()) pro->setText(input.percentage);
    if (!input.trendPercentage.isEmpty()) {
      d.findChild<QRadioButton*>(QStringLiteral("cbTrendC"))->setChecked(true);
      d.findChild<QLineEdit*>(QStringLiteral("edtTrendPerc"))->setText(input.trendPercentage);
    }
    if (!input.screenshot.isEmpty()) SaveScreenshot(&d, input.screenshot);
    if (input.enterInName)
      QTest::keyClick(name, Qt::Key_Return);
    else
      d.findChild<QPushButton*>(QStringLiteral("BtnOk"))->click();
    return d.result();
  };
}

// Widens the example's period (January..March 2008) to the whole of 2008.
void ExtendPeriodTo2008(TIndexPageFixture& f) {
  auto* endMonth = f.Page()->findChild<QComboBox*>(QStringLiteral("ComboBox3"));
  endMonth->setCurrentIndex(11);
  auto* apply = f.Page()->findChild<QPushButton*>(QStringLiteral("Button1"));
  ASSERT_TRUE(apply->isEnabled());
  apply->click();
  ASSERT_EQ(f.Model()->rowCount(), 12);
}

TEST(IndexPage, ShowsTheExampleAndRecalculatesATypedFigure) {
  TIndexPageFixture f;
  EXPECT_EQ(f.Model()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Arbeid (40,00%)"));
  const int january = f.RowOf(QStringLiteral("januari, 2008"));
  const int march = f.RowOf(QStringLiteral("maart, 2008"));
  ASSERT_GE(january, 0);
  ASSERT_GE(march, 0);
  EXPECT_EQ(f.Model()->headerData(january, Qt::Vertical, Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
  EXPECT_EQ(f.Model()->headerData(march, Qt::Vertical, Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 0));
  EXPECT_EQ(f.Colour(january, 0), QColor(255, 0, 0));
  EXPECT_EQ(f.Text(march, 0), QStringLiteral("103,50"));
  f.Doc().Recalculate(0, false);  // what the installments page does when it shows
  EXPECT_NEAR(f.Correction(), 100.45, 0.005);

  // Typing a digit opens the editor with the digit in place of the figure.
  f.Select(march, 0);
  QTest::keyClick(f.Grid(), Qt::Key_1);
  ASSERT_NE(f.Grid()->Editor(), nullptr);
  QTest::keyClicks(f.Grid()->Editor(), QStringLiteral("05"));
  ASSERT_NE(f.Grid()->Editor(), nullptr);
  EXPECT_EQ(f.Grid()->Editor()->text(), QStringLiteral("105"));
  EXPECT_FALSE(f.w.Window().Menus().File->menuAction()->isEnabled()) << "File menu off while editing";
  QTest::keyClick(f.Grid()->Editor(), Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_EQ(f.Text(march, 0), QStringLiteral("105,00"));
  EXPECT_NEAR(f.Correction(), 120.91, 0.005);
  EXPECT_TRUE(f.w.Window().Menus().File->menuAction()->isEnabled());

  f.w.Trigger("actUndo");
  EXPECT_EQ(f.Text(march, 0), QStringLiteral("103,50"));
  EXPECT_NEAR(f.Correction(), 100.45, 0.005);
  EXPECT_EQ(f.Grid()->currentIndex().row(), march);

  // Redone and saved, the companion computes the same from the file.
  f.w.Trigger("actRedo");
  EXPECT_EQ(f.Text(march, 0), QStringLiteral("105,00"));
  f.w.Trigger("ActSave");
  EXPECT_TRUE(Companion({QStringLiteral("calc"), gui::PathToQt(f.kvp)}).contains(QStringLiteral("120,91")));
}

TEST(IndexPage, TypedFiguresAreRoundedHeldInRangeAndCleared) {
  TIndexPageFixture f;
  const int march = f.RowOf(QStringLiteral("maart, 2008"));
  struct Case {
    const char* typed;
    const char* shown;
    bool carried;
  } cases[] = {
      {"100.006", "100,01", false},  // "." is the decimal comma; two decimals
      {"123456", "99999,99", false},
      {"-5", "102,00", true},  // cleared: February's figure carries on
      {"101,5", "101,50", false},
  };
  for (const Case& c : cases) {
    f.Type(march, 0, QString::fromLatin1(c.typed));
    EXPECT_EQ(f.Text(march, 0), QString::fromLatin1(c.shown)) << c.typed;
    EXPECT_EQ(f.Italic(march, 0), c.carried) << c.typed;
  }
  // A text that is no figure keeps the figure and says so.
  const std::size_t steps = f.w.Window().History().UndoCount();
  f.Type(march, 0, QStringLiteral("abc"));
  EXPECT_EQ(f.Text(march, 0), QStringLiteral("101,50"));
  EXPECT_EQ(f.w.Window().History().UndoCount(), steps);
  ASSERT_FALSE(f.w.messages.Messages().empty());
  EXPECT_NE(f.w.messages.Messages().back().find("geen indexcijfer"), std::string::npos);
}

TEST(IndexPage, ComponentsCopyPasteTrendAndColumnMoves) {
  TIndexPageFixture f;
  ExtendPeriodTo2008(f);
  f.Page()->SetDialogRunner(FillComponentDialog(Input("Materiaal", "35", "", false, "component_dialog_add")));
  f.w.Trigger("ActIndexAdd");
  f.Page()->SetDialogRunner(FillComponentDialog(Input("Energie", "12.5%")));
  f.w.Trigger("ActIndexAdd");
  ASSERT_EQ(f.Model()->columnCount(), 3);
  EXPECT_EQ(f.Model()->headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Energie (12,50%)"));

  // A duplicate name in other letter case is refused with the message.
  f.Page()->SetDialogRunner(FillComponentDialog(Input("ARBEID")));
  f.w.Trigger("ActIndexAdd");
  EXPECT_EQ(f.Model()->columnCount(), 3);
  ASSERT_FALSE(f.w.messages.Messages().empty());
  EXPECT_EQ(f.w.messages.Messages().back(), kDuplicateComponentMessage);

  // A spreadsheet block (Dutch numbers, CR LF, a trailing line end) pasted
  // on one cell fills the cells from there.
  QGuiApplication::clipboard()->setText(QStringLiteral("1.234,5\t20\t30\r\n11\t21\t31\r\n12\t22\t32\r\n13\t23\t33\r\n"));
  f.Select(3, 0);
  f.Grid()->setFocus();
  QTest::keyClick(f.Grid(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(f.Text(3, 0), QStringLiteral("1234,50"));
  EXPECT_EQ(f.Text(6, 2), QStringLiteral("33,00"));
  EXPECT_EQ(f.Text(7, 2), QStringLiteral("33,00"));  // carried on
  EXPECT_TRUE(f.Italic(7, 2));

  // The 3 x 4 block copied and pasted lower arrives in the same shape.
  f.SelectBlock(3, 0, 6, 2);
  QTest::keyClick(f.Grid(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(),
            QStringLiteral("1234,50\t20,00\t30,00\r11,00\t21,00\t31,00\r12,00\t22,00\t32,00\r13,00\t23,00\t33,00"));
  f.Select(8, 0);
  f.w.Trigger("actPaste");
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 3; ++c) EXPECT_EQ(f.Text(8 + r, c), f.Text(3 + r, c)) << r << "," << c;
  // Pasted on the last row it is clipped to that row.
  f.Select(11, 1);
  f.w.Trigger("actPaste");
  EXPECT_EQ(f.Text(11, 1), QStringLiteral("1234,50"));
  EXPECT_EQ(f.Text(11, 2), QStringLiteral("20,00"));

  // A field that is no figure refuses the whole paste.
  const QString before = f.Text(0, 1);
  QGuiApplication::clipboard()->setText(QStringLiteral("7\tabc\r"));
  f.Select(0, 1);
  f.w.Trigger("actPaste");
  EXPECT_EQ(f.Text(0, 1), before);
  EXPECT_NE(f.w.messages.Messages().back().find("Er is niets geplakt"), std::string::npos);

  // A trend component shows its trend months in the trend colour.
  f.Page()->SetDialogRunner(FillComponentDialog(Input("Trend", "5", "12")));
  f.w.Trigger("ActIndexAdd");
  QGuiApplication::clipboard()->setText(QStringLiteral("100\r"));
  f.Select(1, 3);
  f.w.Trigger("actPaste");
  EXPECT_EQ(f.Text(2, 3), QStringLiteral("101,00"));
  EXPECT_EQ(f.Colour(2, 3), QColor(128, 0, 128));
  EXPECT_TRUE(f.Italic(2, 3));
  EXPECT_EQ(f.Colour(1, 3), QColor(0, 0, 0));
  EXPECT_EQ(f.Colour(0, 3), QColor(255, 0, 0));  // the price reference month
  f.Select(5, 0);
  SaveScreenshot(&f.w.Window(), QStringLiteral("index_page_own_carried_trend"));

  // Dragging a header moves the component as one undo step.
  f.Grid()->horizontalHeader()->moveSection(0, 2);
  EXPECT_EQ(f.Model()->headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Arbeid (40,00%)"));
  EXPECT_EQ(f.Grid()->horizontalHeader()->visualIndex(0), 0);
  f.w.Trigger("actUndo");
  EXPECT_EQ(f.Model()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Arbeid (40,00%)"));
  EXPECT_NEAR(f.Correction(), f.Doc().Installments->CorrectionTotal(0), 1e-9);
}

TEST(IndexPage, ShrinkingThePeriodAsksFirst) {
  TIndexPageFixture f;
  auto* endMonth = f.Page()->findChild<QComboBox*>(QStringLiteral("ComboBox3"));
  auto* apply = f.Page()->findChild<QPushButton*>(QStringLiteral("Button1"));
  endMonth->setCurrentIndex(1);  // February
  ASSERT_TRUE(apply->isEnabled());
  f.w.messages.QueueDialogAnswer(TDialogAnswer::daNee);
  apply->click();
  ASSERT_FALSE(f.w.messages.Calls().empty());
  EXPECT_EQ(f.w.messages.Calls().back().Mode, TDialogMode::dmIndexDelete);
  EXPECT_EQ(f.w.messages.Calls().back().Text1, "1");
  EXPECT_EQ(f.Model()->rowCount(), 3);
  EXPECT_EQ(f.Text(2, 0), QStringLiteral("103,50"));

  f.w.messages.QueueDialogAnswer(TDialogAnswer::daJa);
  apply->click();
  EXPECT_EQ(f.Model()->rowCount(), 2);
  f.w.Trigger("actUndo");
  EXPECT_EQ(f.Model()->rowCount(), 3);
  EXPECT_EQ(f.Text(2, 0), QStringLiteral("103,50"));

  // An end before the begin keeps "Toe&passen" off.
  f.Page()->findChild<QComboBox*>(QStringLiteral("ComboBox4"))->setCurrentIndex(2000 - 1981);
  EXPECT_FALSE(apply->isEnabled());
}

TEST(IndexPage, AWriteProtectedTableStaysProtected) {
  TIndexPageFixture f;
  f.Doc().IndexTable->SetTableKind(table_kind::kWriteProtected);
  f.w.Window().LoadPages();
  const std::size_t steps = f.w.Window().History().UndoCount();
  // The header double click opens the dialog; Enter in it changes nothing.
  bool shown = false;
  f.Page()->SetDialogRunner([&shown](QDialog& d) {
    shown = true;
    EXPECT_FALSE(d.findChild<QLineEdit*>(QStringLiteral("EdtName"))->isEnabled());
    EXPECT_FALSE(d.findChild<QPushButton*>(QStringLiteral("BtnOk"))->isEnabled());
    SaveScreenshot(&d, QStringLiteral("component_dialog_protected"));
    return FillComponentDialog(Input("Loon", "99", "", true))(d);
  });
  const int x = f.Grid()->horizontalHeader()->sectionViewportPosition(0) + 5;
  QTest::mouseDClick(f.Grid()->horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(x, 5));
  EXPECT_TRUE(shown);
  EXPECT_EQ(f.Model()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Arbeid (40,00%)"));
  // Typing opens no editor; paste and delete do nothing.
  f.Select(2, 0);
  QTest::keyClicks(f.Grid(), QStringLiteral("5"));
  EXPECT_EQ(f.Grid()->Editor(), nullptr);
  QTest::keyClick(f.Grid(), Qt::Key_Delete);
  QGuiApplication::clipboard()->setText(QStringLiteral("1\r"));
  f.Page()->Paste();
  EXPECT_EQ(f.Text(2, 0), QStringLiteral("103,50"));
  EXPECT_EQ(f.w.Window().History().UndoCount(), steps);
  EXPECT_FALSE(f.Page()->CanPaste());
  EXPECT_TRUE(f.Page()->CanCopy());
}

TEST(IndexPage, ClipboardActionsFollowTheFocusedGrid) {
  TIndexPageFixture f;
  QAction* copy = f.w.Window().Action("actCopy");
  QAction* cut = f.w.Window().Action("ActCut");
  f.Select(1, 0);
  f.Grid()->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(f.w.Window().FocusedGrid(), 1);
  EXPECT_TRUE(copy->isEnabled());
  EXPECT_TRUE(cut->isEnabled());
  // A carried-forward cell alone cannot be cut; one of the period's empty
  // months (none here) could not be copied.
  f.Doc().IndexTable->SetFigure(1, 2, false, 0);
  f.w.Window().LoadPages();
  f.w.Window().ShowIndexPage(true);
  f.Grid()->setFocus();
  QApplication::processEvents();
  f.Select(1, 0);
  f.w.Window().UpdateWindowState();
  EXPECT_TRUE(copy->isEnabled());
  EXPECT_FALSE(cut->isEnabled());
  // Focus elsewhere: the grid's commands are off.
  f.Page()->findChild<QComboBox*>(QStringLiteral("ComboBox1"))->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(f.w.Window().FocusedGrid(), 0);
  EXPECT_FALSE(copy->isEnabled());
}

TEST(IndexPage, DeletingAComponentAsksAndIsOneStep) {
  TIndexPageFixture f;
  f.Select(0, 0);
  const std::size_t steps = f.w.Window().History().UndoCount();
  f.w.messages.QueueDialogAnswer(TDialogAnswer::daNee);
  f.w.Trigger("ActIndexDel");
  EXPECT_EQ(f.w.messages.Calls().back().Text1, kDeleteComponentQuestion);
  EXPECT_EQ(f.Model()->columnCount(), 1);
  f.w.messages.QueueDialogAnswer(TDialogAnswer::daJa);
  f.w.Trigger("ActIndexDel");
  EXPECT_EQ(f.Model()->columnCount(), 0);
  EXPECT_TRUE(f.Page()->findChild<QWidget*>(QStringLiteral("PNoIndex"))->isVisibleTo(f.Page()));
  EXPECT_FALSE(f.Grid()->isVisibleTo(f.Page()));
  EXPECT_EQ(f.w.Window().History().UndoCount(), steps + 1);
  SaveScreenshot(&f.w.Window(), QStringLiteral("index_page_empty_table"));
  f.w.Trigger("actUndo");
  EXPECT_EQ(f.Model()->columnCount(), 1);
}

TEST(IndexMenu, ListsTheCentralIndexFilesSortedWithTheDefaultAndTheCurrentOne) {
  TIndexPageFixture f;
  const std::string central = f.Doc().CentralFolder();
  ASSERT_FALSE(central.empty());
  QFile::copy(gui::PathToQt(f.kvi), gui::PathToQt(central + "Regio.kvi"));
  QFile::copy(gui::PathToQt(f.kvi), gui::PathToQt(central + "Aannemers & Co.kvi"));
  QMenu* local = f.w.Window().Menus().Index->findChild<QMenu*>(QStringLiteral("MnuIndexLocal"));
  ASSERT_NE(local, nullptr);
  Q_EMIT local->aboutToShow();
  QStringList captions;
  for (QAction* a : local->actions()) captions << a->text();
  EXPECT_EQ(captions, (QStringList{QStringLiteral("Aannemers && Co"),
                                   QStringLiteral("Indices (standaard indextabelbestand)"), QStringLiteral("Regio")}));
  for (QAction* a : local->actions()) EXPECT_FALSE(a->isChecked()) << a->text().toStdString();

  // Choosing one switches the project to it; the menu then marks it.
  local->actions().at(2)->trigger();
  EXPECT_NE(f.Doc().IndexPath.find("Regio.kvi"), std::string::npos) << f.Doc().IndexPath;
  Q_EMIT local->aboutToShow();
  EXPECT_TRUE(local->actions().at(2)->isChecked());
  EXPECT_TRUE(f.w.Window().IndexIndicatorText().contains(QStringLiteral("Regio")));

  // The component actions carry the component's name.
  f.Select(0, 0);
  Q_EMIT f.w.Window().Menus().Index->aboutToShow();
  EXPECT_EQ(f.w.Window().Action("ActIndexMod")->text(), QStringLiteral("&Wijzigen Arbeid"));
  EXPECT_EQ(f.w.Window().Action("ActIndexDel")->text(), QStringLiteral("&Verwijderen Arbeid"));
}

TEST(IndexPage, EditorAndContextMenusOpenAsAUserExpects) {
  TIndexPageFixture f;
  // A double click opens the editor; a typed "." is the decimal comma.
  f.Select(1, 0);
  const QRect cell = f.Grid()->visualRect(f.Model()->index(1, 0));
  QTest::mouseDClick(f.Grid()->viewport(), Qt::LeftButton, {}, cell.center());
  ASSERT_NE(f.Grid()->Editor(), nullptr);
  QTest::keyClicks(f.Grid()->Editor(), QStringLiteral("99.5"));
  EXPECT_EQ(f.Grid()->Editor()->text(), QStringLiteral("99,5"));
  QTest::keyClick(f.Grid()->Editor(), Qt::Key_Escape);
  QApplication::processEvents();
  EXPECT_EQ(f.Grid()->Editor(), nullptr);
  EXPECT_EQ(f.Text(1, 0), QStringLiteral("102,00"));  // Escape keeps the figure

  // Right click on a figure: the clipboard menu; on a header: the component menu.
  QTest::mouseClick(f.Grid()->viewport(), Qt::LeftButton, {}, cell.center());
  Q_EMIT f.Grid()->customContextMenuRequested(cell.center());
  EXPECT_TRUE(f.Page()->FigurePopup()->isVisible());
  QStringList items;
  for (QAction* a : f.Page()->FigurePopup()->actions()) items << a->objectName();
  EXPECT_EQ(items, (QStringList{QStringLiteral("ActCut"), QStringLiteral("actCopy"), QStringLiteral("actPaste")}));
  f.Page()->FigurePopup()->hide();
  Q_EMIT f.Grid()->horizontalHeader()->customContextMenuRequested(QPoint(5, 5));
  EXPECT_TRUE(f.Page()->HeaderPopup()->isVisible());
  EXPECT_TRUE(f.Page()->HeaderPopup()->actions().at(0)->isEnabled());
  SaveScreenshot(f.Page()->HeaderPopup(), QStringLiteral("index_header_popup"));
  f.Page()->HeaderPopup()->hide();
  EXPECT_EQ(f.Grid()->currentIndex().row(), 0);  // row 1 of that column
}

}  // namespace
}  // namespace pc::guitest
