// TSIndex, the components and index figures page: the index grid over the
// document's index table, the selected component's lines, the component
// buttons, the period box and the grid's two context menus.
#pragma once

#include <QDialog>
#include <QMenu>
#include <functional>
#include <memory>

#include "gui/common/window_page.h"
#include "indextable/figure_clipboard.h"

namespace Ui {
class TIndexPage;
}

namespace pc::gui {

class TIndexGridModel;
class TIndexGridView;

class TIndexPage : public TWindowPage {
  Q_OBJECT
 public:
  explicit TIndexPage(TWindowServices& window, QWidget* parent = nullptr);
  ~TIndexPage() override;

  // ---- TWindowPage -------------------------------------------------------
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

  // ---- commands of the buttons and the index menu --------------------------
  void EditComponent(bool isChange);
  void DeleteSelectedComponent();
  void ClearSelection();
  // Sets the period lists from the table and rebuilds the grid.
  void LoadPeriodBox();
  void ApplyPeriod();
  // Switches the document to the central index file `fileName`.
  void SwitchCentralIndexFile(const std::string& fileName);

  // The component at the current column (0 on the month column or without
  // components), and whether the buttons panel is shown (kind 0 or 2).
  int CurrentPosition() const;
  bool ButtonsShown() const;

  TIndexGridView* Grid() const;
  TIndexGridModel* Model() const { return model_; }

  // ---- hooks set by the window's index menu, and by tests -----------------
  // Runs a modal dialog and returns its result (default: exec()).
  using TDialogRunner = std::function<int(QDialog&)>;
  void SetDialogRunner(TDialogRunner runner) { runDialog_ = std::move(runner); }
  // Switches the File and Help menus off while a cell editor is open.
  void SetCellEditMenus(std::function<void(bool editing)> setMenus) { setCellEditMenus_ = std::move(setMenus); }
  // The window's cut, copy and paste actions for the figure context menu.
  void SetClipboardActions(QAction* cut, QAction* copy, QAction* paste);
  QMenu* FigurePopup() const { return popup1_; }
  QMenu* HeaderPopup() const { return popup2_; }

 Q_SIGNALS:
  // An index file available online was chosen in the index menu.
  void onlineIndexChosen(const QString& fileName);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  project::TProjectData& Document() const;
  const TBDConfig& Table() const;
  void CommitFigure(int position, int row, const QString& text);
  void AfterFigureChange(int firstPosition, int lastPosition);
  void Recalculate();
  void RebuildGrid();
  void SelectIndexCell(int position, int row, bool moveCursor);
  void OnEditingChanged(bool editing);
  void OnFocusChanged(QWidget* old, QWidget* now);
  void OnColumnMoved(int logical, int oldVisual, int newVisual);
  void OnPeriodListsChanged();
  void ShowFigurePopup(const QPoint& globalPos, const QModelIndex& index);
  void ShowHeaderPopup(const QPoint& globalPos, int position);
  void ToggleHeader();
  // The selected rectangle (the current cell when nothing is selected).
  TFigureArea SelectedArea() const;
  TMonthKey ChosenMonth(int monthList, int yearList) const;
  void ShowChosenMonth(TMonthKey key, int monthList, int yearList);

  std::unique_ptr<Ui::TIndexPage> ui_;
  TIndexGridModel* model_ = nullptr;
  QMenu* popup1_ = nullptr;
  QMenu* popup2_ = nullptr;
  QAction* popupDelete_ = nullptr;
  QAction* popupChange_ = nullptr;
  TDialogRunner runDialog_;
  std::function<void(bool)> setCellEditMenus_;
  int currentColumn_ = 0;  // component position; 0 = none
  int currentRow_ = 0;     // period row; 0 = none
  QString textBeforeEdit_;
  bool headerExpanded_ = false;
};

}  // namespace pc::gui
