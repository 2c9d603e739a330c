#include "gui/installments/installments_page.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include "gui/common/qt_text.h"
#include "gui/installments/paste_installments_dialog.h"
#include "installments/termijn_cell_edit.h"
#include "installments/termijn_grid.h"
#include "installments/termijn_paste.h"
#include "ui_installments_page.h"

namespace pc::gui {
namespace {

const QColor kNavy(0, 0, 128);
const QColor kMaroon(128, 0, 0);

void ShowTotal(QLabel* value, QLabel* euro, const std::string& text, bool negative) {
  value->setText(ToQt(text));
  const QString style = QStringLiteral("color: %1;").arg((negative ? kMaroon : kNavy).name());
  value->setStyleSheet(style);
  euro->setStyleSheet(style);
}

// Runs a change guarded against a second run from inside the first (a
// message box taking the focus from an open editor ends the edit again).
class TReentryGuard {
 public:
  explicit TReentryGuard(bool& flag) : flag_(flag), entered_(!flag) { flag_ = true; }
  ~TReentryGuard() {
    if (entered_) flag_ = false;
  }
  bool Entered() const { return entered_; }

 private:
  bool& flag_;
  bool entered_;
};

}  // namespace

TInstallmentsPage::TInstallmentsPage(TWindowServices& window, QWidget* parent)
    : TWindowPage(window, parent), ui_(std::make_unique<Ui::TInstallmentsPage>()) {
  ui_->setupUi(this);
  model_ = new TInstallmentGridModel([this]() -> const TTermijnConfig* { return Set(); }, this);
  TInstallmentGrid* grid = Grid();
  grid->SetGridModel(model_);
  model_->SetCommit([this](int row, int column, const QString& before, const QString& after) {
    CommitCell(row, column, before, after);
  });
  connect(ui_->edtTermCurBD, &QComboBox::currentIndexChanged, this, &TInstallmentsPage::ChooseComponent);
  connect(grid, &TInstallmentGrid::focusEntered, this, [this] { SetFocusedGrid(true); });
  connect(grid, &TInstallmentGrid::focusLeft, this, [this] { SetFocusedGrid(false); });
  connect(grid, &TInstallmentGrid::copyRequested, this, &TInstallmentsPage::Copy);
  connect(grid, &TInstallmentGrid::cutRequested, this, &TInstallmentsPage::Cut);
  connect(grid, &TInstallmentGrid::pasteRequested, this, &TInstallmentsPage::Paste);
  connect(grid, &TInstallmentGrid::deleteRequested, this, &TInstallmentsPage::DeleteInstallmentRows);
  connect(grid, &TInstallmentGrid::groupClicked, this, &TInstallmentsPage::ToggleGroup);
  connect(grid, &TInstallmentGrid::contextMenuAt, this, &TInstallmentsPage::ShowContextMenu);

  popup_ = new QMenu(this);
  popup_->setObjectName(QStringLiteral("TermGridPopup1"));
  struct TItem {
    const char* Name;
    const char* Caption;
    void (TInstallmentsPage::*Run)();
  };
  const TItem items[] = {{"PopCut", "K&nippen", &TInstallmentsPage::Cut},
                         {"PopCopy", "&Kopi\u00ebren", &TInstallmentsPage::Copy},
                         {"PopPaste", "&Plakken", &TInstallmentsPage::Paste},
                         {"PopDelete", "&Verwijderen", &TInstallmentsPage::DeleteInstallmentRows}};
  for (const TItem& item : items) {
    QAction* action = popup_->addAction(QString::fromUtf8(item.Caption));
    action->setObjectName(QString::fromLatin1(item.Name));
    connect(action, &QAction::triggered, this, item.Run);
  }
  // The paste action follows what the clipboard holds.
  connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
    if (isVisible()) window_.UpdateWindowState();
  });
  pasteDialog_ = [](TTermijnAddForm& form) { return form.exec() == QDialog::Accepted; };
}

TInstallmentsPage::~TInstallmentsPage() = default;

TInstallmentGrid* TInstallmentsPage::Grid() const { return ui_->CoolStringGrid1; }

project::TProjectData& TInstallmentsPage::Document() const { return window_.History().Current(); }

TTermijnConfig* TInstallmentsPage::Set() const {
  project::TProjectData& doc = Document();
  if (!doc.Installments) return nullptr;
  // The entry checks tell the user through the window's messages.
  doc.Installments->SetMessageUi(&window_.Messages());
  return doc.Installments.get();
}

// ---- the page's part in the window ------------------------------------------

void TInstallmentsPage::LoadFromDocument() {
  AbandonEdit();
  FillComponentList();
  Recompute(false);
}

void TInstallmentsPage::Activate() {
  if (!FillComponentList()) {
    window_.ShowInstallmentsMessagePage();
    return;
  }
  Recompute(false);
  TInstallmentGrid* grid = Grid();
  if (!grid->currentIndex().isValid()) grid->SelectCell(1, 1);
  grid->setFocus(Qt::OtherFocusReason);
}

void TInstallmentsPage::StoreUiState(project::TUiState& state) const {
  const TInstallmentGrid* grid = Grid();
  state.InstallmentRow = grid->CurrentGridRow();
  state.InstallmentColumn = grid->CurrentColumn();
  state.CurrentComponent = currentComponent_;
}

void TInstallmentsPage::RestoreUiState(const project::TUiState& state) {
  AbandonEdit();
  currentComponent_ = state.CurrentComponent;
  FillComponentList();
  Recompute(false);
  if (state.InstallmentRow > 0) Grid()->SelectCell(state.InstallmentRow, state.InstallmentColumn);
  if (state.FocusedGrid == 2)
    window_.RunDeferred([this] {
      if (isVisible()) Grid()->setFocus(Qt::OtherFocusReason);
    });
}

void TInstallmentsPage::UpdatePageState() {
  ui_->LCalcKind2->setText(Document().CalcMethod == 1 ? QStringLiteral("Vereenvoudigde berekeningsmethode")
                                                      : QString::fromUtf8("Offici\u00eble berekeningsmethode"));
}

void TInstallmentsPage::AbandonEdit() { Grid()->AbandonEdit(); }

// ---- component chooser, calculation and grid ---------------------------------

bool TInstallmentsPage::FillComponentList() {
  const TBDConfig* table = Document().IndexTable.get();
  if (!table || table->Count() == 0) return false;
  const std::vector<int> positions = ChoosableComponents(*table);
  const int preferred = PreferredComponent(*table, currentComponent_);
  QSignalBlocker block(ui_->edtTermCurBD);
  ui_->edtTermCurBD->clear();
  componentMap_ = positions;
  for (std::size_t i = 0; i < positions.size(); ++i) {
    ui_->edtTermCurBD->addItem(ToQt(table->ComponentCaptionAt(positions[i])));
    if (positions[i] == preferred) ui_->edtTermCurBD->setCurrentIndex(static_cast<int>(i));
  }
  currentComponent_ = preferred;
  return preferred != 0;
}

void TInstallmentsPage::ChooseComponent(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= componentMap_.size()) return;
  AbandonEdit();
  currentComponent_ = componentMap_[static_cast<std::size_t>(index)];
  Recompute(false);
  window_.UpdateWindowState();
}

void TInstallmentsPage::Recompute(bool clearNewEntry) {
  Document().Recalculate(currentComponent_, clearNewEntry);
  Refill();
}

void TInstallmentsPage::Refill(int firstRow) {
  model_->Refill(firstRow);
  if (firstRow == 0) Grid()->ApplyColumnWidths();
  UpdateTotals();
}

void TInstallmentsPage::UpdateTotals() {
  const TTermijnGrid* grid = model_->Grid();
  if (!grid) return;
  ShowTotal(ui_->LblCompTotal, ui_->LblCompEuro, grid->ComponentTotalText(), grid->ComponentTotalNegative());
  ShowTotal(ui_->LblPrjTotal, ui_->LblPrjEuro, grid->ProjectTotalText(), grid->ProjectTotalNegative());
}

void TInstallmentsPage::ToggleGroup(int row) {
  TTermijnConfig* set = Set();
  if (!set) return;
  const bool changed = set->IsExpanded(row) ? set->Collapse(row) : set->Expand(row);
  if (!changed) return;
  set->ClearNewEntry();
  Refill(row + 1);
}

// ---- editing -------------------------------------------------------------------

void TInstallmentsPage::CommitCell(int row, int column, const QString& before, const QString& after) {
  const TReentryGuard guard(committing_);
  if (!guard.Entered() || !Set()) return;
  project::TProject& history = window_.History();
  history.BeginStep(false);
  const TCellEditResult result = CommitInstallmentCell(*Set(), row, column, FromQt(before), FromQt(after));
  if (result.Changed) {
    if (result.Recalculate) Document().Recalculate(currentComponent_, false);
    history.CommitStep();
  } else {
    history.DropStep();
  }
  Refill();
  window_.UpdateWindowState();
  if (result.SelectRow > 0) {
    const int selectRow = result.SelectRow;
    window_.RunDeferred([this, selectRow, column] { Grid()->SelectCell(selectRow, column); });
  }
}

void TInstallmentsPage::SetFocusedGrid(bool focused) {
  if (focused)
    window_.SetFocusedGrid(2);
  else if (window_.FocusedGrid() == 2)
    window_.SetFocusedGrid(0);
}

void TInstallmentsPage::ShowContextMenu(const QPoint& globalPos) {
  const QList<QAction*> items = popup_->actions();
  items[0]->setEnabled(CanCut());
  items[1]->setEnabled(CanCopy());
  items[2]->setEnabled(CanPaste());
  items[3]->setEnabled(CanCut());
  window_.UpdateWindowState();
  popup_->popup(globalPos);
}

// ---- clipboard and delete --------------------------------------------------------

bool TInstallmentsPage::SelectionRect(int& top, int& left, int& bottom, int& right) const {
  return model_->Grid() && Grid()->SelectedRect(top, left, bottom, right);
}

bool TInstallmentsPage::CanCut() const {
  int top = 0, left = 0, bottom = 0, right = 0;
  if (Grid()->Editing() || !SelectionRect(top, left, bottom, right)) return false;
  return top < model_->Grid()->NewEntryRow();
}

bool TInstallmentsPage::CanCopy() const {
  int top = 0, left = 0, bottom = 0, right = 0;
  if (Grid()->Editing() || !SelectionRect(top, left, bottom, right)) return false;
  return model_->Grid()->HasCopyText(top, left, bottom, right);
}

bool TInstallmentsPage::CanPaste() const {
  if (Grid()->Editing()) return false;
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  return data && data->hasText();
}

void TInstallmentsPage::Copy() {
  int top = 0, left = 0, bottom = 0, right = 0;
  if (Grid()->Editing() || !SelectionRect(top, left, bottom, right)) return;
  if (!model_->Grid()->HasCopyText(top, left, bottom, right)) return;
  QGuiApplication::clipboard()->setText(ToQt(model_->Grid()->CopyText(top, left, bottom, right)));
  window_.UpdateWindowState();
}

void TInstallmentsPage::Cut() {
  if (!CanCut()) return;
  Copy();
  DeleteInstallmentRows();
}

void TInstallmentsPage::DeleteInstallmentRows() {
  int top = 0, left = 0, bottom = 0, right = 0;
  if (Grid()->Editing() || !SelectionRect(top, left, bottom, right) || !Set()) return;
  project::TProject& history = window_.History();
  history.BeginStep(false);
  if (pc::DeleteInstallmentRows(*Set(), top, bottom) > 0) {
    Document().Recalculate(currentComponent_, false);
    history.CommitStep();
  } else {
    history.DropStep();
  }
  Refill();
  window_.UpdateWindowState();
}

void TInstallmentsPage::Paste() {
  if (Grid()->Editing()) return;
  const QString clip = QGuiApplication::clipboard()->text();
  TTermijnConfig* set = Set();
  if (clip.isEmpty() || !set || !model_->Grid()) {
    QApplication::beep();
    return;
  }
  const bool variable = model_->Grid()->ComponentVariable();
  const int componentSlot = variable ? model_->Grid()->ComponentSlot() : 0;
  const TPasteRead read = ReadPastedInstallments(*set, FromQt(clip), variable);
  if (!read.MultiColumn) {
    PasteSingleValue(read.FirstField);
    return;
  }
  if (read.Candidates.empty() || PasteNeedsConfirmation(read)) {
    TTermijnAddForm form(this);
    form.ShowCandidates(read, variable);
    const bool confirmed = pasteDialog_(form);
    if (!confirmed || AcceptedCount(read.Candidates) == 0) return;
  }
  project::TProject& history = window_.History();
  history.BeginStep(false);
  if (AddPastedInstallments(*Set(), read.Candidates, componentSlot) > 0) {
    Document().Recalculate(currentComponent_, true);
    history.CommitStep();
  } else {
    history.DropStep();
  }
  Refill();
  window_.UpdateWindowState();
}

void TInstallmentsPage::PasteSingleValue(const std::string& text) {
  TInstallmentGrid* grid = Grid();
  const QModelIndex current = grid->currentIndex();
  if (text.empty() || !current.isValid() || !(model_->flags(current) & Qt::ItemIsEditable)) {
    QApplication::beep();
    return;
  }
  // Counts exactly as a typed edit, with the edit's own undo step.
  CommitCell(TInstallmentGridModel::GridRow(current.row()), current.column(),
             model_->data(current, Qt::EditRole).toString(), ToQt(text));
}

}  // namespace pc::gui
