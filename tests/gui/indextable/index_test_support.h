// Helpers of the index page tests: the example open on the index page, the
// grid read through its model, the companion program's output.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QHeaderView>
#include <QProcess>
#include <QTest>

#include "gui/common/qt_text.h"
#include "gui/indextable/index_grid_model.h"
#include "gui/indextable/index_grid_view.h"
#include "gui/indextable/index_page.h"
#include "gui/support/gui_test_support.h"

namespace pc::guitest {

// The worked example open on the index page, the grid focused.
struct TIndexPageFixture {
  TTestHome home;
  std::string kvp = home.CopyExample("worked-example.kvp");
  std::string kvi = home.CopyExample("worked-example.kvi");
  TScriptedWindow w;

  explicit TIndexPageFixture(std::vector<std::string> extra = {}) : w(Arguments(extra)) {
    w.Window().show();
    w.Window().activateWindow();
    (void)QTest::qWaitForWindowActive(&w.Window());
    w.Window().ShowIndexPage(true);
    Grid()->setFocus();
    QApplication::processEvents();
  }
  std::vector<std::string> Arguments(std::vector<std::string> extra) const {
    extra.push_back(kvp);
    return extra;
  }
  ~TIndexPageFixture() {
    w.messages.QueueDialogAnswer(TDialogAnswer::daNee);
    w.Window().close();
  }

  gui::TIndexPage* Page() { return static_cast<gui::TIndexPage*>(w.Window().Page(gui::TPageId::TSIndex)); }
  gui::TIndexGridView* Grid() { return Page()->Grid(); }
  QAbstractItemModel* Model() { return Grid()->model(); }
  project::TProjectData& Doc() { return w.Window().History().Current(); }

  // The grid row (from 0) whose month caption is `caption`; -1 when none.
  int RowOf(const QString& caption) {
    for (int r = 0; r < Model()->rowCount(); ++r)
      if (Model()->headerData(r, Qt::Vertical, Qt::DisplayRole).toString() == caption) return r;
    return -1;
  }
  QString Text(int row, int column) { return Model()->index(row, column).data().toString(); }
  QColor Colour(int row, int column) {
    return Model()->index(row, column).data(Qt::ForegroundRole).value<QColor>();
  }
  bool Italic(int row, int column) {
    const QVariant f = Model()->index(row, column).data(Qt::FontRole);
    return f.isValid() && f.value<QFont>().italic();
  }
  // Puts the cursor on one cell (selecting only it).
  void Select(int row, int column) {
    Grid()->selectionModel()->setCurrentIndex(Model()->index(row, column), QItemSelectionModel::ClearAndSelect);
  }
  void SelectBlock(int top, int left, int bottom, int right) {
    Select(top, left);
    Grid()->selectionModel()->select(QItemSelection(Model()->index(top, left), Model()->index(bottom, right)),
                                     QItemSelectionModel::ClearAndSelect);
  }
  // Types `text` into the cell as a user does: Enter opens the editor, the
  // text replaces what it shows, Enter stores it.
  void Type(int row, int column, const QString& text) {
    Select(row, column);
    QTest::keyClick(Grid(), Qt::Key_Return);
    QLineEdit* editor = Grid()->Editor();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
  }
  // The correction of all components of all installments.
  double Correction() { return Doc().Installments->CorrectionTotal(0); }
};

// The companion program's output for its arguments.
inline QString Companion(const QStringList& arguments) {
  QProcess p;
  p.start(QStringLiteral(PC_CLI_PROGRAM), arguments);
  p.waitForFinished(30000);
  return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace pc::guitest
