// The installment grid's model: a view of the open document's installment
// set through TTermijnGrid. Model row r is grid row r + 1 (the header is the
// view's own); the last model row is the new-installment row. Every role a
// person sees is served: text, colours, font, alignment, the "€" mark and
// which cells can be edited.
#pragma once

#include <QAbstractTableModel>
#include <functional>
#include <optional>

#include "installments/termijn_grid.h"

namespace pc::gui {

class TInstallmentGridModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  enum Role {
    UnitRole = Qt::UserRole + 1,  // "€" for amount cells, else empty
    ShownTextRole,                // what a person reads: "€ 10.000,00"
    EditableRole,                 // bool
    PlaceholderRole,              // bool: a new-row cell showing its placeholder
    GroupMarkRole,                // int: TGroupMark
  };
  // Applies a typed text to grid row `row`, `column`; `before` is the
  // editor's starting text.
  using TCommit = std::function<void(int row, int column, const QString& before, const QString& after)>;

  explicit TInstallmentGridModel(std::function<const TTermijnConfig*()> set, QObject* parent = nullptr);

  void SetCommit(TCommit commit) { commit_ = std::move(commit); }
  // Follows the set again: row count, header and the cells from grid row
  // `firstRow` on (0 = everything).
  void Refill(int firstRow = 0);
  // The grid of the current state; empty when there is no set.
  const TTermijnGrid* Grid() const { return grid_ ? &*grid_ : nullptr; }
  // Grid rows for model rows and back.
  static int GridRow(int modelRow) { return modelRow + 1; }
  static int ModelRow(int gridRow) { return gridRow - 1; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

 private:
  // The cell asked last: a view asks one cell for all its roles in a row.
  const TGridCell& CellAt(int modelRow, int column) const;

  std::function<const TTermijnConfig*()> set_;
  std::optional<TTermijnGrid> grid_;
  mutable int cachedRow_ = -1;
  mutable int cachedColumn_ = -1;
  mutable TGridCell cachedCell_;
  TCommit commit_;
  int rows_ = 0;
};

}  // namespace pc::gui
