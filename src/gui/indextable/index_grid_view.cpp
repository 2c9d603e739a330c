#include "gui/indextable/index_grid_view.h"

#include <QHeaderView>
#include <QApplication>
#include <QKeyEvent>
#include <QPainter>

namespace pc::gui {

void TFigureEdit::keyPressEvent(QKeyEvent* event) {
  if (event->text() == QStringLiteral(".")) {
    QKeyEvent comma(event->type(), Qt::Key_Comma, event->modifiers(), QStringLiteral(","));
    QLineEdit::keyPressEvent(&comma);
    return;
  }
  QLineEdit::keyPressEvent(event);
}

QWidget* TFigureDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                                       const QModelIndex& /*index*/) const {
  auto* edit = new TFigureEdit(parent);
  edit->setObjectName(QStringLiteral("FigureEditor"));
  edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  edit->setFrame(false);
  return edit;
}

void TFigureDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  auto* edit = static_cast<QLineEdit*>(editor);
  edit->setText(index.data(Qt::EditRole).toString());
  edit->selectAll();
}

void TFigureDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const bool selected = option.state & QStyle::State_Selected;
  if (selected) painter->fillRect(option.rect, option.palette.brush(QPalette::Highlight));
  const QString text = index.data(Qt::DisplayRole).toString();
  if (!text.isEmpty()) {
    const QVariant font = index.data(Qt::FontRole);
    painter->setFont(font.isValid() ? font.value<QFont>() : option.font);
    const QVariant colour = index.data(Qt::ForegroundRole);
    if (selected)
      painter->setPen(option.palette.color(QPalette::HighlightedText));
    else
      painter->setPen(colour.isValid() ? colour.value<QColor>() : option.palette.color(QPalette::Text));
    painter->drawText(option.rect.adjusted(2, 0, -3, 0), Qt::AlignRight | Qt::AlignVCenter, text);
  }
  if (option.state & QStyle::State_HasFocus) {
    QStyleOptionFocusRect focus;
    focus.QStyleOption::operator=(option);
    focus.rect = option.rect.adjusted(1, 1, -1, -1);
    focus.backgroundColor = option.palette.color(selected ? QPalette::Highlight : QPalette::Base);
    const QWidget* widget = option.widget;
    (widget ? widget->style() : QApplication::style())->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
  }
}

TIndexGridView::TIndexGridView(QWidget* parent) : QTableView(parent) {
  setItemDelegate(new TFigureDelegate(this));
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setTabKeyNavigation(true);
  setWordWrap(false);
  setContextMenuPolicy(Qt::CustomContextMenu);
  horizontalHeader()->setSectionsMovable(true);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(18);
  verticalHeader()->setFixedWidth(92);
  verticalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
  verticalHeader()->setHighlightSections(false);
  connect(horizontalHeader(), &QHeaderView::sectionDoubleClicked, this,
          [this](int logical) { Q_EMIT headerDoubleClicked(logical + 1); });
  connect(horizontalHeader(), &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    const int logical = horizontalHeader()->logicalIndexAt(pos);
    if (logical >= 0 && !IsEditing())
      Q_EMIT headerMenuRequested(horizontalHeader()->mapToGlobal(pos), logical + 1);
  });
  connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    const QModelIndex index = indexAt(pos);
    if (index.isValid() && !IsEditing()) Q_EMIT figureMenuRequested(viewport()->mapToGlobal(pos), index);
  });
}

QLineEdit* TIndexGridView::Editor() const {
  if (!IsEditing()) return nullptr;
  return qobject_cast<QLineEdit*>(indexWidget(currentIndex()));
}

void TIndexGridView::CommitEditor() {
  if (QLineEdit* editor = Editor()) {
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
  }
}

void TIndexGridView::AbandonEditor() {
  if (QLineEdit* editor = Editor()) closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

bool TIndexGridView::MayOpenEditor() const {
  return !IsEditing() && currentIndex().isValid() && (currentIndex().flags() & Qt::ItemIsEditable) &&
         (!canOpen_ || canOpen_());
}

bool TIndexGridView::OpenEditor(bool emptied) {
  if (!MayOpenEditor()) return false;
  if (!edit(currentIndex(), QAbstractItemView::AllEditTriggers, nullptr)) return false;
  if (emptied)
    if (QLineEdit* editor = Editor()) editor->clear();
  return true;
}

TIndexGridView::TGridKey TIndexGridView::ClipboardKey(const QKeyEvent* e) {
  const Qt::KeyboardModifiers mods = e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  const int key = e->key();
  if (mods == Qt::ControlModifier) {
    if (key == Qt::Key_C || key == Qt::Key_Insert) return TGridKey::Copy;
    if (key == Qt::Key_X) return TGridKey::Cut;
    if (key == Qt::Key_V) return TGridKey::Paste;
  }
  if (mods == Qt::ShiftModifier && key == Qt::Key_Delete) return TGridKey::Cut;
  if (mods == Qt::ShiftModifier && key == Qt::Key_Insert) return TGridKey::Paste;
  if (mods == Qt::NoModifier && key == Qt::Key_Delete) return TGridKey::Clear;
  return TGridKey::None;
}

bool TIndexGridView::event(QEvent* e) {
  // The grid takes its clipboard keys itself, before the window's shortcuts.
  if (e->type() == QEvent::ShortcutOverride && !IsEditing() && model() && model()->columnCount() > 0 &&
      ClipboardKey(static_cast<QKeyEvent*>(e)) != TGridKey::None) {
    e->accept();
    return true;
  }
  return QTableView::event(e);
}

void TIndexGridView::keyPressEvent(QKeyEvent* e) {
  if (!model() || model()->columnCount() == 0 || IsEditing()) {
    QTableView::keyPressEvent(e);
    return;
  }
  switch (ClipboardKey(e)) {
    case TGridKey::Copy: Q_EMIT copyRequested(); return;
    case TGridKey::Cut: Q_EMIT cutRequested(); return;
    case TGridKey::Paste: Q_EMIT pasteRequested(); return;
    case TGridKey::Clear: Q_EMIT clearRequested(); return;
    case TGridKey::None: break;
  }
  const Qt::KeyboardModifiers mods = e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  const int key = e->key();
  if (mods == Qt::NoModifier && MayOpenEditor()) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_F2) {
      OpenEditor(false);
      return;
    }
    if (key == Qt::Key_Backspace) {
      OpenEditor(true);
      return;
    }
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
      // The digit goes into the editor, replacing the selected text.
      setEditTriggers(QAbstractItemView::AnyKeyPressed);
      edit(currentIndex(), QAbstractItemView::AnyKeyPressed, e);
      setEditTriggers(QAbstractItemView::NoEditTriggers);
      return;
    }
  }
  QTableView::keyPressEvent(e);
}

void TIndexGridView::mouseDoubleClickEvent(QMouseEvent* e) {
  const QModelIndex index = indexAt(e->position().toPoint());
  if (index.isValid() && index == currentIndex() && MayOpenEditor()) {
    OpenEditor(false);
    return;
  }
  QTableView::mouseDoubleClickEvent(e);
}

bool TIndexGridView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* e) {
  const bool wasEditing = IsEditing();
  const bool opened = QTableView::edit(index, trigger, e);
  if (!wasEditing && IsEditing()) Q_EMIT editingChanged(true);
  return opened;
}

void TIndexGridView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  const bool wasEditing = IsEditing();
  QTableView::closeEditor(editor, hint);
  if (wasEditing && !IsEditing()) Q_EMIT editingChanged(false);
}

}  // namespace pc::gui
