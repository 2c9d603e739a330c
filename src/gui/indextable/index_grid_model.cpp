#include "gui/indextable/index_grid_model.h"

#include "common/number_text.h"
#include "gui/common/qt_text.h"
#include "indextable/figure_clipboard.h"

namespace pc::gui {
namespace {

const char* const kMonthNames[] = {"januari", "februari", "maart",     "april",   "mei",      "juni",
                                   "juli",    "augustus", "september", "oktober", "november", "december"};

}  // namespace

TIndexGridModel::TIndexGridModel(TDocumentSource document, TCommit commit, QObject* parent)
    : QAbstractTableModel(parent), document_(std::move(document)), commit_(std::move(commit)) {
  italic_.setItalic(true);
}

const TBDConfig* TIndexGridModel::Table() const {
  const project::TProjectData* doc = document_();
  return doc ? doc->IndexTable.get() : nullptr;
}

TMonthKey TIndexGridModel::HighlightMonth() const {
  const project::TProjectData* doc = document_();
  return doc ? MonthKeyOf(doc->PriceReferenceDate) : 0;
}

QString TIndexGridModel::MonthCaption(TMonthKey key) {
  if (!IsValidMonthKey(key)) return {};
  return QStringLiteral("%1, %2")
      .arg(QString::fromLatin1(kMonthNames[KeyMonth(key) - 1]))
      .arg(YearOfIndex(KeyYearIndex(key)));
}

int TIndexGridModel::rowCount(const QModelIndex& parent) const {
  const TBDConfig* t = Table();
  return parent.isValid() || !t ? 0 : t->MonthCount();
}

int TIndexGridModel::columnCount(const QModelIndex& parent) const {
  const TBDConfig* t = Table();
  return parent.isValid() || !t ? 0 : t->Count();
}

QVariant TIndexGridModel::data(const QModelIndex& index, int role) const {
  const TBDConfig* t = Table();
  if (!t || !index.isValid()) return {};
  const int position = index.column() + 1;
  const int row = index.row() + 1;
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: {
      const TShownFigure f = ShownFigure(*t, position, row);
      if (f.State == TFigureState::Empty) return QString();
      return QString::fromLatin1(FormatTwoDecimals(2, f.Figure));
    }
    case Qt::TextAlignmentRole: return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::ForegroundRole: {
      const TFigureState state = ShownFigure(*t, position, row).State;
      if (t->MonthAt(row) == HighlightMonth()) return kHighlightColour;
      if (state == TFigureState::CarriedForward) return kCarriedColour;
      if (state == TFigureState::Trend) return kTrendColour;
      return kOwnColour;
    }
    case Qt::FontRole: {
      const TFigureState state = ShownFigure(*t, position, row).State;
      const bool highlight = t->MonthAt(row) == HighlightMonth();
      if (state == TFigureState::CarriedForward || (state == TFigureState::Trend && !highlight)) return italic_;
      return {};
    }
    default: return {};
  }
}

QVariant TIndexGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  const TBDConfig* t = Table();
  if (!t) return {};
  if (orientation == Qt::Horizontal) {
    if (role == Qt::DisplayRole) return ToQt(t->ComponentCaptionAt(section + 1));
    if (role == Qt::TextAlignmentRole) return QVariant(Qt::AlignCenter);
    return {};
  }
  const TMonthKey key = t->MonthAt(section + 1);
  if (role == Qt::DisplayRole) return MonthCaption(key);
  if (role == Qt::TextAlignmentRole) return QVariant(Qt::AlignRight | Qt::AlignVCenter);
  if (role == Qt::ForegroundRole) return key == HighlightMonth() ? kHighlightColour : kOwnColour;
  return {};
}

Qt::ItemFlags TIndexGridModel::flags(const QModelIndex& index) const {
  const TBDConfig* t = Table();
  if (!index.isValid() || !t) return Qt::NoItemFlags;
  Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
  if (t->TableKind() == table_kind::kEditable) f |= Qt::ItemIsEditable;
  return f;
}

bool TIndexGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !index.isValid() || !commit_) return false;
  commit_(index.column() + 1, index.row() + 1, value.toString());
  return true;
}

void TIndexGridModel::SetGridFont(const QFont& font) {
  italic_ = font;
  italic_.setItalic(true);
}

void TIndexGridModel::Rebuild() {
  beginResetModel();
  endResetModel();
}

void TIndexGridModel::RefreshColumn(int position) {
  const int rows = rowCount();
  if (position < 1 || position > columnCount() || rows == 0) return;
  Q_EMIT dataChanged(index(0, position - 1), index(rows - 1, position - 1));
}

void TIndexGridModel::RefreshAll() {
  const int rows = rowCount();
  const int columns = columnCount();
  if (rows > 0 && columns > 0) Q_EMIT dataChanged(index(0, 0), index(rows - 1, columns - 1));
  if (columns > 0) Q_EMIT headerDataChanged(Qt::Horizontal, 0, columns - 1);
}

}  // namespace pc::gui
