// GrdIndex: the table view of the index grid. It opens the cell editor only
// for the keys and clicks that should open it, turns a typed "." into the
// decimal comma, and hands the clipboard keys, header double clicks and
// context-menu requests to the index page.
#pragma once

#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QTableView>
#include <functional>

namespace pc::gui {

// The cell editor: a "." typed (also on the keypad) becomes ",".
class TFigureEdit : public QLineEdit {
  Q_OBJECT
 public:
  using QLineEdit::QLineEdit;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

class TFigureDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  // Draws a figure cell as plain text in its colour and font: a grid of
  // thousands of cells stays quick to paint.
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

class TIndexGridView : public QTableView {
  Q_OBJECT
 public:
  explicit TIndexGridView(QWidget* parent = nullptr);

  // Whether a cell editor may open now (the page says: editable table, one
  // cell selected).
  void SetCanOpenEditor(std::function<bool()> canOpen) { canOpen_ = std::move(canOpen); }
  bool IsEditing() const { return state() == QAbstractItemView::EditingState; }
  // The open editor, if any.
  QLineEdit* Editor() const;
  // Closes an open editor storing its text / giving the cell its text back.
  void CommitEditor();
  void AbandonEditor();
  // Opens the editor on the current cell, as Enter does.
  bool OpenEditor(bool emptied);

 Q_SIGNALS:
  void copyRequested();
  void cutRequested();
  void pasteRequested();
  void clearRequested();
  // The editor opened (true) or closed (false).
  void editingChanged(bool editing);
  // A double click on the header of the component at `position`.
  void headerDoubleClicked(int position);
  // Right click on a figure cell / on the header of the component at `position`.
  void figureMenuRequested(const QPoint& globalPos, const QModelIndex& index);
  void headerMenuRequested(const QPoint& globalPos, int position);

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

 private:
  enum class TGridKey { None, Copy, Cut, Paste, Clear };
  static TGridKey ClipboardKey(const QKeyEvent* event);
  bool MayOpenEditor() const;

  std::function<bool()> canOpen_;
};

}  // namespace pc::gui
