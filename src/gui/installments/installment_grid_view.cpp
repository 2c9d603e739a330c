#include "gui/installments/installment_grid_view.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

#include "gui/installments/installment_grid_model.h"

namespace pc::gui {
namespace {

constexpr int kRowHeight = 18;

bool IsDigitKey(const QKeyEvent& key) { return !key.text().isEmpty() && key.text().at(0).isDigit(); }

}  // namespace

TInstallmentGrid::TInstallmentGrid(QWidget* parent) : QTableView(parent) {
  setItemDelegate(new TInstallmentCellDelegate(this));
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::AnyKeyPressed |
                  QAbstractItemView::EditKeyPressed);
  setTabKeyNavigation(true);
  setWordWrap(false);
  setCornerButtonEnabled(false);
  verticalHeader()->hide();
  verticalHeader()->setDefaultSectionSize(kRowHeight);
  verticalHeader()->setMinimumSectionSize(kRowHeight);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  QFont grid(QStringLiteral("Arial"));
  grid.setPointSize(8);
  setFont(grid);
  setShowGrid(true);
  setGridStyle(Qt::SolidLine);
}

void TInstallmentGrid::SetGridModel(TInstallmentGridModel* model) {
  model_ = model;
  setModel(model);
}

void TInstallmentGrid::ApplyColumnWidths() {
  if (!model_ || !model_->Grid()) return;
  const QString caption = model_->headerData(6, Qt::Horizontal, Qt::DisplayRole).toString();
  const int captionWidth = horizontalHeader()->fontMetrics().horizontalAdvance(caption);
  for (int c = 0; c < kGridColumns; ++c) setColumnWidth(c, TTermijnGrid::ColumnWidth(c, captionWidth));
}

void TInstallmentGrid::AbandonEdit() {
  if (!Editing()) return;
  if (QWidget* editor = indexWidget(currentIndex()))
    closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

void TInstallmentGrid::FinishEdit() {
  if (!Editing()) return;
  if (QWidget* editor = indexWidget(currentIndex())) {
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
  }
}

int TInstallmentGrid::CurrentGridRow() const {
  const QModelIndex current = currentIndex();
  return current.isValid() ? TInstallmentGridModel::GridRow(current.row()) : 0;
}

int TInstallmentGrid::CurrentColumn() const {
  const QModelIndex current = currentIndex();
  return current.isValid() ? current.column() : 0;
}

void TInstallmentGrid::SelectCell(int row, int column) {
  if (!model_ || model_->rowCount() == 0) return;
  const int r = std::clamp(TInstallmentGridModel::ModelRow(row), 0, model_->rowCount() - 1);
  const int c = std::clamp(column, 0, kGridColumns - 1);
  setCurrentIndex(model_->index(r, c));
}

bool TInstallmentGrid::SelectedRect(int& top, int& left, int& bottom, int& right) const {
  if (!model_ || model_->rowCount() == 0) return false;
  const QModelIndexList selected = selectionModel() ? selectionModel()->selectedIndexes() : QModelIndexList();
  if (selected.isEmpty()) {
    const QModelIndex current = currentIndex();
    if (!current.isValid()) return false;
    top = bottom = TInstallmentGridModel::GridRow(current.row());
    left = right = current.column();
    return true;
  }
  top = left = std::numeric_limits<int>::max();
  bottom = right = -1;
  for (const QModelIndex& i : selected) {
    top = std::min(top, i.row());
    bottom = std::max(bottom, i.row());
    left = std::min(left, i.column());
    right = std::max(right, i.column());
  }
  top = TInstallmentGridModel::GridRow(top);
  bottom = TInstallmentGridModel::GridRow(bottom);
  return true;
}

bool TInstallmentGrid::KeyOpensEditor(int column, const QKeyEvent& key) const {
  const int k = key.key();
  if (k == Qt::Key_Backspace || k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_F2) return true;
  if (IsDigitKey(key)) return true;
  const bool keypad = key.modifiers() & Qt::KeypadModifier;
  switch (column) {
    case 1: return keypad || (!key.text().isEmpty() && key.text().at(0).isLetter());
    case 5:
    case 6: return k == Qt::Key_Minus;
    default: return false;
  }
}

bool TInstallmentGrid::ClipboardKey(const QKeyEvent& key) const {
  const Qt::KeyboardModifiers mods = key.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  const int k = key.key();
  if (mods == Qt::ControlModifier) return k == Qt::Key_C || k == Qt::Key_Insert || k == Qt::Key_X || k == Qt::Key_V;
  if (mods == Qt::ShiftModifier) return k == Qt::Key_Delete || k == Qt::Key_Insert;
  return mods == Qt::NoModifier && k == Qt::Key_Delete;
}

bool TInstallmentGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
  if (trigger == AnyKeyPressed || trigger == EditKeyPressed || trigger == DoubleClicked) {
    if (selectionModel() && selectionModel()->selectedIndexes().size() > 1) return false;
    if (!index.isValid() || !(model_ && model_->flags(index) & Qt::ItemIsEditable)) return false;
    if (trigger == AnyKeyPressed && event && event->type() == QEvent::KeyPress &&
        !KeyOpensEditor(index.column(), *static_cast<QKeyEvent*>(event)))
      return false;
  }
  return QTableView::edit(index, trigger, event);
}

void TInstallmentGrid::MoveToEditableCell(bool forward) {
  if (!model_ || !model_->Grid() || !currentIndex().isValid()) return;
  int row = CurrentGridRow();
  int column = CurrentColumn();
  model_->Grid()->NextEditableCell(row, column, forward);
  SelectCell(row, column);
}

void TInstallmentGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  // Tab in an editor: the edit is stored, then the cursor moves as Tab does
  // without an editor; no editor opens on the next cell.
  const bool next = hint == QAbstractItemDelegate::EditNextItem;
  const bool previous = hint == QAbstractItemDelegate::EditPreviousItem;
  QTableView::closeEditor(editor, next || previous ? QAbstractItemDelegate::NoHint : hint);
  if (next || previous) MoveToEditableCell(next);
}

bool TInstallmentGrid::event(QEvent* e) {
  if (e->type() == QEvent::ShortcutOverride && !Editing()) {
    auto* key = static_cast<QKeyEvent*>(e);
    if (ClipboardKey(*key)) {
      e->accept();
      return true;
    }
  }
  return QTableView::event(e);
}

void TInstallmentGrid::keyPressEvent(QKeyEvent* event) {
  const Qt::KeyboardModifiers mods =
      event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  const int k = event->key();
  if ((k == Qt::Key_Tab || k == Qt::Key_Backtab) && !(mods & (Qt::ControlModifier | Qt::AltModifier))) {
    MoveToEditableCell(k == Qt::Key_Tab && !(mods & Qt::ShiftModifier));
    return;
  }
  if (!Editing() && ClipboardKey(*event)) {
    if (mods == Qt::NoModifier) {
      Q_EMIT deleteRequested();
    } else if (mods == Qt::ControlModifier) {
      if (k == Qt::Key_X) Q_EMIT cutRequested();
      if (k == Qt::Key_V) Q_EMIT pasteRequested();
      if (k == Qt::Key_C || k == Qt::Key_Insert) Q_EMIT copyRequested();
    } else {
      if (k == Qt::Key_Delete) Q_EMIT cutRequested();
      if (k == Qt::Key_Insert) Q_EMIT pasteRequested();
    }
    return;
  }
  if (!Editing() && (k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_F2)) {
    edit(currentIndex(), EditKeyPressed, nullptr);
    return;
  }
  QTableView::keyPressEvent(event);
}

void TInstallmentGrid::mousePressEvent(QMouseEvent* event) {
  const QModelIndex index = indexAt(event->position().toPoint());
  if (event->button() == Qt::LeftButton && index.isValid() && index.column() == 0 &&
      index.data(TInstallmentGridModel::GroupMarkRole).toInt() != 0) {
    if (Editing()) FinishEdit();
    Q_EMIT groupClicked(TInstallmentGridModel::GridRow(index.row()));
    return;
  }
  if (event->button() == Qt::RightButton && !Editing()) {
    if (index.isValid()) {
      const bool single = !selectionModel() || selectionModel()->selectedIndexes().size() <= 1;
      if (single || !selectionModel()->isSelected(index)) setCurrentIndex(index);
    }
    Q_EMIT contextMenuAt(event->globalPosition().toPoint());
    return;
  }
  QTableView::mousePressEvent(event);
}

void TInstallmentGrid::focusInEvent(QFocusEvent* event) {
  QTableView::focusInEvent(event);
  Q_EMIT focusEntered();
}

void TInstallmentGrid::focusOutEvent(QFocusEvent* event) {
  QTableView::focusOutEvent(event);
  // The grid's own editor and popups keep the grid the focused grid.
  if (event->reason() == Qt::PopupFocusReason) return;
  const QWidget* next = QApplication::focusWidget();
  if (next && isAncestorOf(next)) return;
  Q_EMIT focusLeft();
}

// ---- delegate ---------------------------------------------------------------

void TInstallmentCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const {
  painter->save();
  const QRect r = option.rect;
  painter->fillRect(r, index.data(Qt::BackgroundRole).value<QColor>());
  const bool selected = option.state & QStyle::State_Selected;
  if (selected) {
    QColor highlight = option.palette.color(QPalette::Highlight);
    highlight.setAlpha(70);
    painter->fillRect(r, highlight);
  }
  const int mark = index.data(TInstallmentGridModel::GroupMarkRole).toInt();
  if (mark != 0) {
    const QRect box(r.center().x() - 4, r.center().y() - 4, 9, 9);
    painter->setPen(QColor(128, 128, 128));
    painter->setBrush(Qt::white);
    painter->drawRect(box);
    painter->setPen(Qt::black);
    painter->drawLine(box.left() + 2, box.center().y(), box.right() - 2, box.center().y());
    if (mark == static_cast<int>(TGroupMark::Collapsed))
      painter->drawLine(box.center().x(), box.top() + 2, box.center().x(), box.bottom() - 2);
  }
  QFont font = option.font;
  font.setBold(index.data(Qt::FontRole).value<QFont>().bold());
  painter->setFont(font);
  painter->setPen(index.data(Qt::ForegroundRole).value<QColor>());
  const QRect textRect = r.adjusted(3, 0, -3, 0);
  const QString unit = index.data(TInstallmentGridModel::UnitRole).toString();
  if (!unit.isEmpty()) painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, unit);
  const auto align = index.data(Qt::TextAlignmentRole).value<Qt::Alignment>();
  painter->drawText(textRect, static_cast<int>(align), index.data(Qt::DisplayRole).toString());
  if (index.data(TInstallmentGridModel::EditableRole).toBool()) {
    painter->setPen(Qt::black);
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(r.adjusted(1, 1, -2, -2));
  }
  if (option.state & QStyle::State_HasFocus) {
    painter->setPen(QPen(QColor(0, 0, 128), 1, Qt::DotLine));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(r.adjusted(2, 2, -3, -3));
  }
  painter->restore();
}

QWidget* TInstallmentCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                                const QModelIndex& index) const {
  auto* editor = new QLineEdit(parent);
  editor->setFrame(false);
  QFont font = option.font;
  font.setBold(true);
  editor->setFont(font);
  const int column = index.column();
  editor->setAlignment(column == 1 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
  if (column == 1) editor->setMaxLength(static_cast<int>(kMaxInstallmentNameLength));
  if (column == 5 || column == 6) {
    // A typed "." is the decimal comma here.
    connect(editor, &QLineEdit::textEdited, editor, [editor](const QString& text) {
      if (!text.contains(QLatin1Char('.'))) return;
      const int cursor = editor->cursorPosition();
      editor->setText(QString(text).replace(QLatin1Char('.'), QLatin1Char(',')));
      editor->setCursorPosition(cursor);
    });
  }
  return editor;
}

void TInstallmentCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  if (auto* line = qobject_cast<QLineEdit*>(editor)) line->setText(index.data(Qt::EditRole).toString());
}

void TInstallmentCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                            const QModelIndex& index) const {
  if (auto* line = qobject_cast<QLineEdit*>(editor)) model->setData(index, line->text(), Qt::EditRole);
}

}  // namespace pc::gui
