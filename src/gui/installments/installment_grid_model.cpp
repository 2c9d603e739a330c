#include "gui/installments/installment_grid_model.h"

#include <QApplication>
#include <QColor>
#include <QFont>
#include <QPalette>

#include "gui/common/qt_text.h"

namespace pc::gui {
namespace {

const QString kEuro = QString::fromUtf8("\u20ac");

QColor Background(TCellBackground background) {
  switch (background) {
    case TCellBackground::Tooltip: return QApplication::palette().color(QPalette::ToolTipBase);
    case TCellBackground::LightRed: return QColor(255, 136, 136);
    case TCellBackground::White: break;
  }
  return QColor(Qt::white);
}

Qt::Alignment Alignment(TCellAlign align) {
  switch (align) {
    case TCellAlign::Right: return Qt::AlignRight | Qt::AlignVCenter;
    case TCellAlign::Center: return Qt::AlignCenter;
    case TCellAlign::Left: break;
  }
  return Qt::AlignLeft | Qt::AlignVCenter;
}

// The editor's starting text: empty for a placeholder, the installment
// amount without thousands separators.
QString EditText(const TGridCell& cell, int column) {
  if (cell.Placeholder) return QString();
  QString text = ToQt(cell.Text);
  if (column == 5) text.remove(QLatin1Char('.'));
  return text;
}

}  // namespace

TInstallmentGridModel::TInstallmentGridModel(std::function<const TTermijnConfig*()> set, QObject* parent)
    : QAbstractTableModel(parent), set_(std::move(set)) {}

const TGridCell& TInstallmentGridModel::CellAt(int modelRow, int column) const {
  if (modelRow != cachedRow_ || column != cachedColumn_) {
    cachedCell_ = grid_->Cell(GridRow(modelRow), column);
    cachedRow_ = modelRow;
    cachedColumn_ = column;
  }
  return cachedCell_;
}

void TInstallmentGridModel::Refill(int firstRow) {
  cachedRow_ = cachedColumn_ = -1;
  const TTermijnConfig* set = set_ ? set_() : nullptr;
  if (set)
    grid_.emplace(*set);
  else
    grid_.reset();
  const int rows = set ? set->RowCount() + 1 : 0;
  if (rows > rows_) {
    beginInsertRows({}, rows_, rows - 1);
    rows_ = rows;
    endInsertRows();
  } else if (rows < rows_) {
    beginRemoveRows({}, rows, rows_ - 1);
    rows_ = rows;
    endRemoveRows();
  }
  if (rows_ > 0) {
    const int first = std::clamp(ModelRow(std::max(1, firstRow)), 0, rows_ - 1);
    Q_EMIT dataChanged(index(first, 0), index(rows_ - 1, kGridColumns - 1));
  }
  Q_EMIT headerDataChanged(Qt::Horizontal, 0, kGridColumns - 1);
}

int TInstallmentGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int TInstallmentGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kGridColumns;
}

QVariant TInstallmentGridModel::data(const QModelIndex& index, int role) const {
  if (!grid_ || !index.isValid() || index.row() >= rows_) return {};
  const TGridCell& cell = CellAt(index.row(), index.column());
  switch (role) {
    case Qt::DisplayRole: return ToQt(cell.Text);
    case Qt::EditRole: return EditText(cell, index.column());
    case Qt::BackgroundRole: return Background(cell.Background);
    case Qt::ForegroundRole:
      return cell.Foreground == TCellForeground::Silver ? QColor(192, 192, 192) : QColor(Qt::black);
    case Qt::FontRole: {
      QFont font;
      font.setBold(cell.Bold);
      return font;
    }
    case Qt::TextAlignmentRole: return QVariant::fromValue(Alignment(cell.Align));
    case UnitRole: return cell.Euro ? kEuro : QString();
    case ShownTextRole: return cell.Euro ? kEuro + QLatin1Char(' ') + ToQt(cell.Text) : ToQt(cell.Text);
    case EditableRole: return cell.Editable;
    case PlaceholderRole: return cell.Placeholder;
    case GroupMarkRole: return static_cast<int>(cell.Group);
    default: return {};
  }
}

QVariant TInstallmentGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal) return {};
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
  if (role != Qt::DisplayRole) return {};
  if (grid_) return ToQt(grid_->Header(section));
  return {};
}

Qt::ItemFlags TInstallmentGridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (data(index, EditableRole).toBool()) f |= Qt::ItemIsEditable;
  return f;
}

bool TInstallmentGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !index.isValid() || !commit_) return false;
  const QString before = data(index, Qt::EditRole).toString();
  commit_(GridRow(index.row()), index.column(), before, value.toString());
  return true;
}

}  // namespace pc::gui
