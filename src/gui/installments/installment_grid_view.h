// The installment grid (CoolStringGrid1): a table view over
// TInstallmentGridModel that draws the "€" mark, the frames of editable
// cells, the group marks and the focus rectangle, opens editors only for
// the keys each column accepts, moves with Tab between editable cells and
// hands clipboard keys, Delete, group clicks and right clicks to its page.
#pragma once

#include <QStyledItemDelegate>
#include <QTableView>

namespace pc::gui {

class TInstallmentGridModel;

class TInstallmentGrid : public QTableView {
  Q_OBJECT
 public:
  explicit TInstallmentGrid(QWidget* parent = nullptr);

  void SetGridModel(TInstallmentGridModel* model);
  TInstallmentGridModel* GridModel() const { return model_; }
  // Whether a cell editor is open.
  bool Editing() const { return state() == QAbstractItemView::EditingState; }
  // Closes an open editor without storing its text.
  void AbandonEdit();
  // Closes an open editor storing its text.
  void FinishEdit();
  // Grid row and column of the current cell (0, 0 when none).
  int CurrentGridRow() const;
  int CurrentColumn() const;
  // Moves the cursor to grid row `row`, `column` (clamped to the grid).
  void SelectCell(int row, int column);
  // The selected rectangle in grid rows (the current cell when nothing is
  // selected). False when the grid is empty.
  bool SelectedRect(int& top, int& left, int& bottom, int& right) const;
  // The column widths of the grid's columns for the current caption.
  void ApplyColumnWidths();

 Q_SIGNALS:
  void focusEntered();
  void focusLeft();
  void copyRequested();
  void cutRequested();
  void pasteRequested();
  void deleteRequested();
  void groupClicked(int gridRow);
  void contextMenuAt(const QPoint& globalPos);

 protected:
  bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool event(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  bool KeyOpensEditor(int column, const QKeyEvent& key) const;
  bool ClipboardKey(const QKeyEvent& key) const;
  void MoveToEditableCell(bool forward);

  TInstallmentGridModel* model_ = nullptr;
};

// Draws one cell of the installment grid and edits it with a line editor.
class TInstallmentCellDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
};

}  // namespace pc::gui
