// The installments page (TSTermijn): the component chooser, the installment
// grid with its totals and the calculation method. Edits, deletions and
// pastes are undo steps of the project history; the rules they follow are
// the core's (installments/termijn_cell_edit.h, termijn_paste.h).
#pragma once

#include <QMenu>
#include <functional>
#include <memory>
#include <vector>

#include "gui/common/window_page.h"
#include "gui/installments/installment_grid_model.h"
#include "gui/installments/installment_grid_view.h"

namespace Ui {
class TInstallmentsPage;
}

namespace pc::gui {

class TTermijnAddForm;

class TInstallmentsPage : public TWindowPage {
  Q_OBJECT
 public:
  explicit TInstallmentsPage(TWindowServices& window, QWidget* parent = nullptr);
  ~TInstallmentsPage() override;

  void LoadFromDocument() override;
  void Activate() override;
  void StoreUiState(project::TUiState& state) const override;
  void RestoreUiState(const project::TUiState& state) override;
  void UpdatePageState() override;
  void AbandonEdit() override;
  bool CanCut() const override;
  bool CanCopy() const override;
  bool CanPaste() const override;
  void Cut() override;
  void Copy() override;
  void Paste() override;

  // Fills the component chooser; true when a component can be chosen.
  bool FillComponentList();
  // Removes the installments of the selected rows as one undo step.
  void DeleteInstallmentRows();
  // Position of the component shown; 0 when none.
  int CurrentComponent() const { return currentComponent_; }

  TInstallmentGrid* Grid() const;
  TInstallmentGridModel* Model() const { return model_; }
  // How the paste dialog is shown; by default modally. Returns whether the
  // user confirmed the paste.
  using TPasteDialogRunner = std::function<bool(TTermijnAddForm& form)>;
  void SetPasteDialogRunner(TPasteDialogRunner runner) { pasteDialog_ = std::move(runner); }

 private:
  TTermijnConfig* Set() const;
  project::TProjectData& Document() const;
  void ChooseComponent(int index);
  void Recompute(bool clearNewEntry);
  void Refill(int firstRow = 0);
  void UpdateTotals();
  void CommitCell(int row, int column, const QString& before, const QString& after);
  void ToggleGroup(int row);
  void SetFocusedGrid(bool focused);
  void ShowContextMenu(const QPoint& globalPos);
  void PasteSingleValue(const std::string& text);
  bool SelectionRect(int& top, int& left, int& bottom, int& right) const;

  std::unique_ptr<Ui::TInstallmentsPage> ui_;
  TInstallmentGridModel* model_ = nullptr;
  QMenu* popup_ = nullptr;
  std::vector<int> componentMap_;
  int currentComponent_ = 0;
  // True while a cell edit is being applied (see CommitCell).
  bool committing_ = false;
  TPasteDialogRunner pasteDialog_;
};

}  // namespace pc::gui
