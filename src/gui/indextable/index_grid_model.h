// The index grid's model: a view over the open document's index table, one
// column per component (in position order) and one row per month of the
// table's period. Nothing is copied: every cell is read from the table when
// the view asks for it. The month captions are the vertical header.
#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <functional>

#include "project/project_data.h"

namespace pc::gui {

class TIndexGridModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  // What a figure cell's colour says.
  static inline const QColor kHighlightColour{255, 0, 0};    // the price reference month
  static inline const QColor kCarriedColour{0, 0, 255};      // carried forward, italic
  static inline const QColor kTrendColour{128, 0, 128};      // trend figure, italic
  static inline const QColor kOwnColour{0, 0, 0};

  // `document` gives the open document (it changes with every undo step).
  // `commit` stores a figure typed into a cell (position and row from 1).
  using TDocumentSource = std::function<const project::TProjectData*()>;
  using TCommit = std::function<void(int position, int row, const QString& text)>;
  TIndexGridModel(TDocumentSource document, TCommit commit, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  // The font italic figures are drawn in (the grid's own font, italic).
  void SetGridFont(const QFont& font);
  // After a change of the components, the period or the document.
  void Rebuild();
  // After a change of the figures of one column / of every column.
  void RefreshColumn(int position);
  void RefreshAll();
  // The Dutch month caption of a month key, "januari, 2008".
  static QString MonthCaption(TMonthKey key);

 private:
  const TBDConfig* Table() const;
  TMonthKey HighlightMonth() const;

  TDocumentSource document_;
  TCommit commit_;
  QFont italic_;
};

}  // namespace pc::gui
