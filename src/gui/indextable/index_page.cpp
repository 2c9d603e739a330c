#include "gui/indextable/index_page.h"

#include "project/index_switch.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QMimeData>
#include <QUrl>
#include <algorithm>

#include "common/date_time.h"
#include "common/number_text.h"
#include "common/text_routines.h"
#include "gui/common/qt_text.h"
#include "gui/indextable/component_dialog.h"
#include "gui/indextable/index_grid_model.h"
#include "gui/indextable/index_grid_view.h"
#include "indextable/component_edit.h"
#include "platform/environment.h"
#include "ui_index_page.h"
#include "update/server_url.h"

namespace pc::gui {
namespace {

const char* const kMonthListNames[] = {"Januari", "Februari", "Maart",     "April",   "Mei",      "Juni",
                                       "Juli",    "Augustus", "September", "Oktober", "November", "December"};
constexpr int kExpandedHeaderHeight = 140;

QString DateText(TDateTime date) {
  const TYmd ymd = DecodeDate(date);
  return QStringLiteral("%1-%2-%3")
      .arg(ymd.Day, 2, 10, QLatin1Char('0'))
      .arg(ymd.Month, 2, 10, QLatin1Char('0'))
      .arg(ymd.Year, 4, 10, QLatin1Char('0'));
}

}  // namespace

TIndexPage::TIndexPage(TWindowServices& window, QWidget* parent)
    : TWindowPage(window, parent), ui_(std::make_unique<Ui::TIndexPage>()) {
  ui_->setupUi(this);
  runDialog_ = [](QDialog& dialog) { return dialog.exec(); };
  model_ = new TIndexGridModel([this]() -> const project::TProjectData* { return &window_.History().Current(); },
                               [this](int position, int row, const QString& text) { CommitFigure(position, row, text); },
                               this);
  QFont gridFont(QStringLiteral("Arial"), 8);
  ui_->GrdIndex->setFont(gridFont);
  model_->SetGridFont(gridFont);
  ui_->GrdIndex->setModel(model_);
  ui_->GrdIndex->SetCanOpenEditor([this] {
    const TFigureArea a = SelectedArea();
    return Table().TableKind() == table_kind::kEditable && a.Columns == 1 && a.Rows == 1;
  });

  for (const char* name : kMonthListNames) {
    ui_->ComboBox1->addItem(QString::fromLatin1(name));
    ui_->ComboBox3->addItem(QString::fromLatin1(name));
  }
  for (int year = kFirstYear; year <= kLastYear; ++year) {
    ui_->ComboBox2->addItem(QString::number(year));
    ui_->ComboBox4->addItem(QString::number(year));
  }
  for (QComboBox* box : {ui_->ComboBox1, ui_->ComboBox2, ui_->ComboBox3, ui_->ComboBox4})
    connect(box, &QComboBox::currentIndexChanged, this, [this] { OnPeriodListsChanged(); });
  connect(ui_->Button1, &QPushButton::clicked, this, [this] { ApplyPeriod(); });
  connect(ui_->BtnBDAdd, &QPushButton::clicked, this, [this] { EditComponent(false); });
  connect(ui_->BtnBDEdit, &QPushButton::clicked, this, [this] { EditComponent(true); });
  connect(ui_->BtnBDDel, &QPushButton::clicked, this, [this] { DeleteSelectedComponent(); });

  TIndexGridView* grid = ui_->GrdIndex;
  connect(grid, &TIndexGridView::copyRequested, this, [this] { Copy(); });
  connect(grid, &TIndexGridView::cutRequested, this, [this] { Cut(); });
  connect(grid, &TIndexGridView::pasteRequested, this, [this] { Paste(); });
  connect(grid, &TIndexGridView::clearRequested, this, [this] { ClearSelection(); });
  connect(grid, &TIndexGridView::editingChanged, this, [this](bool editing) { OnEditingChanged(editing); });
  connect(grid, &TIndexGridView::headerDoubleClicked, this, [this](int position) {
    if (ui_->GrdIndex->IsEditing()) return;
    SelectIndexCell(position, 1, true);
    EditComponent(true);
  });
  connect(grid, &TIndexGridView::figureMenuRequested, this,
          [this](const QPoint& pos, const QModelIndex& index) { ShowFigurePopup(pos, index); });
  connect(grid, &TIndexGridView::headerMenuRequested, this,
          [this](const QPoint& pos, int position) { ShowHeaderPopup(pos, position); });
  connect(grid->horizontalHeader(), &QHeaderView::sectionMoved, this,
          [this](int logical, int oldVisual, int newVisual) { OnColumnMoved(logical, oldVisual, newVisual); });
  connect(grid->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
    if (current.isValid()) SelectIndexCell(current.column() + 1, current.row() + 1, false);
  });
  connect(grid->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
    if (window_.FocusedGrid() == 1) window_.UpdateWindowState();
  });
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) { OnFocusChanged(old, now); });

  popup1_ = new QMenu(this);
  popup1_->setObjectName(QStringLiteral("IndexGridPopup1"));
  popup2_ = new QMenu(this);
  popup2_->setObjectName(QStringLiteral("IndexGridPopup2"));
  popupDelete_ = popup2_->addAction(QStringLiteral("Bestanddeel &Verwijderen"));
  popupChange_ = popup2_->addAction(QStringLiteral("Bestanddeel &Wijzigen"));
  connect(popupDelete_, &QAction::triggered, this, [this] { DeleteSelectedComponent(); });
  connect(popupChange_, &QAction::triggered, this, [this] { EditComponent(true); });

  ui_->imgIndexHeaderUp->setCursor(Qt::PointingHandCursor);
  ui_->DCOutHeader2->installEventFilter(this);
  ui_->PIndexCtrl->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
  ui_->LIndexMemo->hide();
  ui_->LIndexSrcInfo->hide();
}

TIndexPage::~TIndexPage() = default;

TIndexGridView* TIndexPage::Grid() const { return ui_->GrdIndex; }

project::TProjectData& TIndexPage::Document() const { return window_.History().Current(); }

const TBDConfig& TIndexPage::Table() const {
  project::TProjectData& doc = Document();
  doc.EnsureModels();
  return *doc.IndexTable;
}

void TIndexPage::SetClipboardActions(QAction* cut, QAction* copy, QAction* paste) {
  popup1_->addAction(cut);
  popup1_->addAction(copy);
  popup1_->addAction(paste);
}

// ---- TWindowPage -----------------------------------------------------------

void TIndexPage::LoadFromDocument() {
  ui_->GrdIndex->AbandonEditor();
  LoadPeriodBox();
}

void TIndexPage::Activate() {
  LoadPeriodBox();
  if (ui_->GrdIndex->isVisibleTo(this)) {
    SelectIndexCell(currentColumn_, currentRow_, true);
    ui_->GrdIndex->setFocus();
  }
}

void TIndexPage::StoreUiState(project::TUiState& state) const {
  state.IndexRow = currentRow_;
  state.IndexColumn = currentColumn_;
}

void TIndexPage::RestoreUiState(const project::TUiState& state) {
  textBeforeEdit_.clear();
  const TBDConfig& t = Table();
  const int column = std::clamp(state.IndexColumn, 0, t.Count());
  const int row = std::clamp(state.IndexRow, 0, t.MonthCount());
  SelectIndexCell(column, row, true);
  if (state.FocusedGrid == 1 && state.ActivePage == 1) ui_->GrdIndex->setFocus();
}

void TIndexPage::UpdatePageState() {
  const project::TProjectData& doc = Document();
  const TBDConfig& t = Table();
  const std::uint8_t kind = t.TableKind();
  const bool hasComponents = t.Count() > 0;
  ui_->GrdIndex->setVisible(hasComponents);
  ui_->PNoIndex->setVisible(!hasComponents);
  ui_->GrdIndex->horizontalHeader()->setSectionsMovable(kind != table_kind::kWriteProtected);

  settings::DownloadedIndexInfoPtr info =
      doc.OnlineInfo ? window_.Settings().IsDownloadedIndexInfo(doc.OnlineInfo.get()) : nullptr;
  const bool canExpand = info != nullptr && doc.IndexBinding == project::index_binding::kCentralOnline;
  if (info) {
    ui_->LIndexMemo->setText(ToQt(info->Memo));
    const QString host = QUrl(QString::fromStdString(update::UpdateServerUrl(platform::ProcessEnvironment()))).host();
    ui_->LIndexSrcInfo->setText(QStringLiteral("Deze indexen zijn gedownload via %1. U kunt deze indexen niet wijzigen")
                                    .arg(host));
    ui_->DCOutHeader2->setCursor(Qt::PointingHandCursor);
  } else {
    ui_->DCOutHeader2->setCursor(Qt::ArrowCursor);
  }
  if (!info || !canExpand) headerExpanded_ = false;
  ui_->LIndexMemo->setVisible(headerExpanded_);
  ui_->LIndexSrcInfo->setVisible(headerExpanded_);
  ui_->imgIndexHeaderUp->setVisible(canExpand);
  ui_->imgIndexHeaderUp->setText(headerExpanded_ ? QStringLiteral("\u25B2") : QStringLiteral("\u25BC"));
  ui_->PIndexHeader->setMaximumHeight(headerExpanded_ ? kExpandedHeaderHeight : QWIDGETSIZE_MAX);

  switch (kind) {
    case table_kind::kWriteProtected:
      ui_->DCOutHeader2->setText(QStringLiteral("Bestanddelen + Indexcijfers (Schrijfbeveiligd)"));
      break;
    case table_kind::kDownloaded:
      ui_->DCOutHeader2->setText(PathToQt(FileBaseName(doc.IndexPath)));
      break;
    default: ui_->DCOutHeader2->setText(QStringLiteral("Bestanddelen + Indexcijfers")); break;
  }
  ui_->PBDBtns->setVisible(kind != table_kind::kWriteProtected);
  ui_->PBDPeriodes->setVisible(kind != table_kind::kWriteProtected);
  ui_->BtnBDAdd->setEnabled(kind == table_kind::kEditable && t.Count() < kMaxComponents);
  SelectIndexCell(currentColumn_, currentRow_, false);
}

void TIndexPage::AbandonEdit() {
  ui_->GrdIndex->AbandonEditor();
  textBeforeEdit_.clear();
}

// ---- the grid's cursor, editor and focus -----------------------------------

int TIndexPage::CurrentPosition() const {
  return currentColumn_ >= 1 && currentColumn_ <= Table().Count() ? currentColumn_ : 0;
}

bool TIndexPage::ButtonsShown() const { return Table().TableKind() != table_kind::kWriteProtected; }

void TIndexPage::SelectIndexCell(int position, int row, bool moveCursor) {
  const TBDConfig& t = Table();
  if (moveCursor && position >= 1 && position <= t.Count() && row >= 1 && row <= t.MonthCount()) {
    const QModelIndex index = model_->index(row - 1, position - 1);
    if (ui_->GrdIndex->currentIndex() != index)
      ui_->GrdIndex->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
  }
  currentColumn_ = position;
  currentRow_ = row;
  const std::uint8_t kind = t.TableKind();
  if (position >= 1 && position <= t.Count()) {
    const TBDRecord& c = t.GetComponent(position);
    ui_->BtnBDDel->setEnabled(kind == table_kind::kEditable);
    ui_->BtnBDEdit->setEnabled(kind == table_kind::kEditable || kind == table_kind::kDownloaded);
    ui_->LBDName->setText(QStringLiteral("Bestanddeelnaam: ") + ToQt(c.Name));
    ui_->LBDValue->setText(c.Variable ? QStringLiteral("Bestanddeelpercentage: variabel")
                                      : QStringLiteral("Bestanddeelpercentage: %1%")
                                            .arg(QString::fromLatin1(FormatTwoDecimals(2, c.Percentage))));
    QString start;
    switch (c.StartRule) {
      case start_rule::kStartOfWorks: start = QStringLiteral("Start: Start uitvoering"); break;
      case start_rule::kYearAfterTender: start = QStringLiteral("Start: Een jaar na aanbesteding"); break;
      case start_rule::kFixedDate: start = QStringLiteral("Start: Per ") + DateText(c.StartDate); break;
      default: start = QStringLiteral("Start: Een jaar na start uitvoering"); break;
    }
    ui_->LBDStart->setText(start);
  } else {
    ui_->BtnBDDel->setEnabled(false);
    ui_->BtnBDEdit->setEnabled(false);
    ui_->LBDName->clear();
    ui_->LBDValue->clear();
    ui_->LBDStart->clear();
  }
}

void TIndexPage::OnEditingChanged(bool editing) {
  if (editing) {
    const QModelIndex index = ui_->GrdIndex->currentIndex();
    textBeforeEdit_ = index.data(Qt::DisplayRole).toString();
  }
  if (setCellEditMenus_) setCellEditMenus_(editing);
  window_.UpdateWindowState();
}

void TIndexPage::OnFocusChanged(QWidget* old, QWidget* now) {
  TIndexGridView* grid = ui_->GrdIndex;
  auto inGrid = [grid](QWidget* w) { return w != nullptr && (w == grid || grid->isAncestorOf(w)); };
  const bool wasIn = inGrid(old);
  const bool isIn = inGrid(now);
  if (wasIn == isIn) return;
  if (isIn)
    window_.SetFocusedGrid(1);
  else if (window_.FocusedGrid() == 1)
    window_.SetFocusedGrid(0);
}

void TIndexPage::CommitFigure(int position, int row, const QString& text) {
  if (text == textBeforeEdit_) return;
  const std::string typed = FromQt(text);
  const std::optional<double> value = ReadFigureText(typed);
  if (!value) {
    window_.Messages().ShowMessage("Fout: \"" + typed + "\" is geen indexcijfer. Het indexcijfer is niet gewijzigd.");
    return;
  }
  window_.History().BeginStep(true);
  Document().IndexTable->SetFigure(position, row, false, *value);
  AfterFigureChange(position, position);
}

void TIndexPage::AfterFigureChange(int firstPosition, int lastPosition) {
  Recalculate();
  if (firstPosition == lastPosition)
    model_->RefreshColumn(firstPosition);
  else
    model_->RefreshAll();
  window_.UpdateWindowState();
}

void TIndexPage::Recalculate() {
  project::TProjectData& doc = Document();
  doc.Recalculate(doc.Installments ? doc.Installments->CurrentComponent() : 0, false);
}

void TIndexPage::RebuildGrid() {
  const TBDConfig& t = Table();
  TIndexGridView* grid = ui_->GrdIndex;
  model_->Rebuild();
  const QFontMetrics metrics(grid->horizontalHeader()->font());
  int widest = 25;
  for (int position = 1; position <= t.Count(); ++position)
    widest = std::max(widest, metrics.horizontalAdvance(ToQt(t.ComponentCaptionAt(position))));
  // The month column is 92 pixels, or wider where the font needs it.
  const QFontMetrics monthMetrics(grid->verticalHeader()->font());
  grid->verticalHeader()->setFixedWidth(std::max(92, monthMetrics.horizontalAdvance(QStringLiteral("september, 2000")) + 12));
  grid->horizontalHeader()->setDefaultSectionSize(widest + 15);
  for (int c = 0; c < t.Count(); ++c) grid->horizontalHeader()->resizeSection(c, widest + 15);
  // The cursor stays where it was, or starts on the first figure.
  const int column = currentColumn_ >= 1 ? std::min(currentColumn_, t.Count()) : std::min(1, t.Count());
  const int row = currentRow_ >= 1 ? std::min(currentRow_, t.MonthCount()) : std::min(1, t.MonthCount());
  SelectIndexCell(column, row, true);
}

// ---- clipboard --------------------------------------------------------------

TFigureArea TIndexPage::SelectedArea() const {
  const TIndexGridView* grid = ui_->GrdIndex;
  const QItemSelection selection = grid->selectionModel()->selection();
  TFigureArea area;
  if (selection.isEmpty()) {
    const QModelIndex current = grid->currentIndex();
    if (!current.isValid()) return area;
    return {current.column() + 1, current.row() + 1, 1, 1};
  }
  int top = INT32_MAX, left = INT32_MAX, bottom = -1, right = -1;
  for (const QItemSelectionRange& r : selection) {
    top = std::min(top, r.top());
    left = std::min(left, r.left());
    bottom = std::max(bottom, r.bottom());
    right = std::max(right, r.right());
  }
  return {left + 1, top + 1, right - left + 1, bottom - top + 1};
}

bool TIndexPage::CanCopy() const {
  if (ui_->GrdIndex->IsEditing() || Table().Count() == 0) return false;
  const TFigureArea a = SelectedArea();
  for (int c = 0; c < a.Columns; ++c)
    for (int r = 0; r < a.Rows; ++r)
      if (ShownFigure(Table(), a.FirstPosition + c, a.FirstRow + r).State != TFigureState::Empty) return true;
  return false;
}

bool TIndexPage::CanCut() const {
  if (ui_->GrdIndex->IsEditing() || Table().Count() == 0 || Table().TableKind() != table_kind::kEditable)
    return false;
  const TFigureArea a = SelectedArea();
  bool someNotEmpty = false, someNotCarried = false;
  for (int c = 0; c < a.Columns && !(someNotEmpty && someNotCarried); ++c)
    for (int r = 0; r < a.Rows; ++r) {
      const TFigureState s = ShownFigure(Table(), a.FirstPosition + c, a.FirstRow + r).State;
      someNotEmpty = someNotEmpty || s != TFigureState::Empty;
      someNotCarried = someNotCarried || s != TFigureState::CarriedForward;
    }
  return someNotEmpty && someNotCarried;
}

bool TIndexPage::CanPaste() const {
  if (ui_->GrdIndex->IsEditing() || Table().Count() == 0 || Table().TableKind() != table_kind::kEditable)
    return false;
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  return SelectedArea().Columns > 0 && data != nullptr && data->hasText();
}

void TIndexPage::Copy() {
  if (ui_->GrdIndex->IsEditing() || Table().Count() == 0) return;
  const std::string text = CopyFiguresText(Table(), SelectedArea());
  QGuiApplication::clipboard()->setText(ToQt(text));
  window_.UpdateWindowState();
}

void TIndexPage::Cut() {
  if (ui_->GrdIndex->IsEditing() || Table().TableKind() != table_kind::kEditable) return;
  Copy();
  ClearSelection();
}

void TIndexPage::ClearSelection() {
  if (ui_->GrdIndex->IsEditing() || Table().Count() == 0 || Table().TableKind() != table_kind::kEditable) return;
  const TFigureArea area = SelectedArea();
  project::TProject& history = window_.History();
  history.BeginStep(false);
  if (!ClearFigureArea(*Document().IndexTable, area)) {
    history.DropStep();
    return;
  }
  history.CommitStep();
  AfterFigureChange(area.FirstPosition, area.FirstPosition + area.Columns - 1);
}

void TIndexPage::Paste() {
  if (ui_->GrdIndex->IsEditing() || Table().Count() == 0 || Table().TableKind() != table_kind::kEditable) return;
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (data == nullptr || !data->hasText()) {
    QApplication::beep();
    return;
  }
  TFigureArea area = SelectedArea();
  if (area.Columns == 0) return;
  if (area.Columns == 1 && area.Rows == 1) {
    area.Columns = Table().Count() - area.FirstPosition + 1;
    area.Rows = Table().MonthCount() - area.FirstRow + 1;
  }
  const std::string text = FromQt(data->text());
  project::TProject& history = window_.History();
  history.BeginStep(false);
  const TPasteResult result = PasteFigures(*Document().IndexTable, text, area);
  if (!result.Changed) history.DropStep();
  if (result.Refused) {
    window_.Messages().ShowMessage("Fout: \"" + result.Refused->Text +
                                   "\" is geen indexcijfer. Er is niets geplakt.");
    return;
  }
  if (result.FieldsWritten == 0) QApplication::beep();
  if (!result.Changed) return;
  history.CommitStep();
  AfterFigureChange(area.FirstPosition, area.FirstPosition + result.LastColumn);
}

// ---- components ---------------------------------------------------------------

void TIndexPage::EditComponent(bool isChange) {
  ui_->GrdIndex->CommitEditor();
  const project::TProjectData& doc = Document();
  const TBDConfig& t = Table();
  const int position = isChange ? CurrentPosition() : 0;
  if (isChange && position == 0) return;
  if (!isChange && (t.TableKind() != table_kind::kEditable || t.NextPosition() == 0)) return;
  TComponentValues values;
  if (isChange) values = t.GetComponent(position);
  if (values.StartDate == 0) {
    values.StartDate = doc.StartOfWorks != 0 ? doc.StartOfWorks
                       : doc.PriceReferenceDate != 0 ? doc.PriceReferenceDate
                                                     : TodayLocal();
  }
  values.StartDate = DateOf(values.StartDate);
  TBDWijzigForm dialog(!isChange, t.TableKind(), values, window());
  if (runDialog_(dialog) != QDialog::Accepted) return;
  const TComponentValues chosen = dialog.Values();
  if (chosen.Name.empty()) return;

  project::TProject& history = window_.History();
  history.BeginStep(false);
  const bool wasEmpty = Document().IndexTable->Count() == 0;
  const TComponentEditResult result = ApplyComponentEdit(*Document().IndexTable, position, chosen);
  if (result != TComponentEditResult::Changed) {
    history.DropStep();
    if (result == TComponentEditResult::DuplicateName) window_.Messages().ShowMessage(kDuplicateComponentMessage);
    window_.UpdateWindowState();
    return;
  }
  history.CommitStep();
  Recalculate();
  RebuildGrid();
  if (isChange)
    SelectIndexCell(position, std::max(currentRow_, 1), true);
  else if (wasEmpty)
    SelectIndexCell(1, 1, true);
  window_.UpdateWindowState();
}

void TIndexPage::DeleteSelectedComponent() {
  ui_->GrdIndex->CommitEditor();
  const int position = CurrentPosition();
  if (position == 0 || Table().TableKind() != table_kind::kEditable) return;
  if (window_.Messages().ExecuteDialog(TDialogMode::dmQuestion, kDeleteComponentQuestion, "") != TDialogAnswer::daJa)
    return;
  const int column = currentColumn_;
  const int row = currentRow_;
  window_.History().DeleteComponent(position);
  project::TProjectData& doc = Document();
  if (doc.Installments) {
    const int current = doc.Installments->CurrentComponent();
    if (current == position)
      doc.Installments->SetCurrentComponent(0);
    else if (current > position)
      doc.Installments->SetCurrentComponent(current - 1);
  }
  int& uiCurrent = doc.Ui.CurrentComponent;
  if (uiCurrent == position)
    uiCurrent = 0;
  else if (uiCurrent > position)
    --uiCurrent;
  Recalculate();
  RebuildGrid();
  window_.UpdateWindowState();
  SelectIndexCell(std::min(column, Table().Count()), row, true);
}

void TIndexPage::OnColumnMoved(int /*logical*/, int oldVisual, int newVisual) {
  QHeaderView* header = ui_->GrdIndex->horizontalHeader();
  {
    // The model keeps the order: the header goes back, the table moves.
    QSignalBlocker block(header);
    header->moveSection(newVisual, oldVisual);
  }
  if (oldVisual == newVisual || Table().TableKind() == table_kind::kWriteProtected) return;
  ui_->GrdIndex->CommitEditor();
  window_.History().BeginStep(true);
  Document().IndexTable->MoveComponent(oldVisual + 1, newVisual + 1);
  currentColumn_ = newVisual + 1;
  Recalculate();
  RebuildGrid();
  window_.UpdateWindowState();
}

// ---- context menus and header ------------------------------------------------------

void TIndexPage::ShowFigurePopup(const QPoint& globalPos, const QModelIndex& index) {
  if (Table().Count() == 0) return;
  TIndexGridView* grid = ui_->GrdIndex;
  const TFigureArea a = SelectedArea();
  if ((a.Columns == 1 && a.Rows == 1) || !grid->selectionModel()->isSelected(index))
    grid->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
  window_.UpdateWindowState();
  popup1_->popup(globalPos);
}

void TIndexPage::ShowHeaderPopup(const QPoint& globalPos, int position) {
  const std::uint8_t kind = Table().TableKind();
  if (Table().Count() == 0 || kind == table_kind::kWriteProtected) return;
  SelectIndexCell(position, 1, true);
  popupDelete_->setEnabled(kind == table_kind::kEditable);
  popup2_->popup(globalPos);
}

bool TIndexPage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ui_->DCOutHeader2 && event->type() == QEvent::MouseButtonRelease) ToggleHeader();
  return TWindowPage::eventFilter(watched, event);
}

void TIndexPage::ToggleHeader() {
  const project::TProjectData& doc = Document();
  if (!doc.OnlineInfo || doc.IndexBinding != project::index_binding::kCentralOnline ||
      !window_.Settings().IsDownloadedIndexInfo(doc.OnlineInfo.get()))
    return;
  headerExpanded_ = !headerExpanded_;
  if (headerExpanded_) ui_->LIndexMemo->setStyleSheet(QStringLiteral("background: rgb(216, 231, 251);"));
  UpdatePageState();
}

// ---- period box -----------------------------------------------------------------

TMonthKey TIndexPage::ChosenMonth(int monthList, int yearList) const {
  QComboBox* months[] = {ui_->ComboBox1, ui_->ComboBox3};
  QComboBox* years[] = {ui_->ComboBox2, ui_->ComboBox4};
  return MonthKeyOfYearMonth(kFirstYear + years[yearList]->currentIndex(), months[monthList]->currentIndex() + 1);
}

void TIndexPage::ShowChosenMonth(TMonthKey key, int monthList, int yearList) {
  if (!IsValidMonthKey(key)) return;
  QComboBox* months[] = {ui_->ComboBox1, ui_->ComboBox3};
  QComboBox* years[] = {ui_->ComboBox2, ui_->ComboBox4};
  QSignalBlocker blockMonth(months[monthList]);
  QSignalBlocker blockYear(years[yearList]);
  months[monthList]->setCurrentIndex(KeyMonth(key) - 1);
  years[yearList]->setCurrentIndex(KeyYearIndex(key) - 1);
}

void TIndexPage::LoadPeriodBox() {
  const TBDConfig& t = Table();
  ShowChosenMonth(t.PeriodStart(), 0, 0);
  ShowChosenMonth(t.PeriodEnd(), 1, 1);
  ui_->Button1->setEnabled(false);
  RebuildGrid();
}

void TIndexPage::OnPeriodListsChanged() {
  const TBDConfig& t = Table();
  const TMonthKey first = ChosenMonth(0, 0);
  const TMonthKey last = ChosenMonth(1, 1);
  ui_->Button1->setEnabled(!(first == t.PeriodStart() && last == t.PeriodEnd()) && last >= first);
}

void TIndexPage::ApplyPeriod() {
  ui_->GrdIndex->CommitEditor();
  TMonthKey first = ChosenMonth(0, 0);
  TMonthKey last = ChosenMonth(1, 1);
  if (last < first) return;
  project::TProject& history = window_.History();
  if (history.AdjustPeriodToPriceMonth(first, last)) {
    ShowChosenMonth(first, 0, 0);
    ShowChosenMonth(last, 1, 1);
  }
  const TBDConfig& t = Table();
  const int count = t.CountFiguresOutside(first, last);
  if (count > 0 && t.TableKind() != table_kind::kDownloaded &&
      window_.Messages().ExecuteDialog(TDialogMode::dmIndexDelete, std::to_string(count), "") != TDialogAnswer::daJa)
    return;
  ui_->Button1->setEnabled(false);
  history.SetIndexPeriod(first, last, false);
  Recalculate();
  LoadPeriodBox();
  window_.UpdateWindowState();
}

void TIndexPage::SwitchCentralIndexFile(const std::string& fileName) {
  ui_->GrdIndex->CommitEditor();
  // One undo step: the switch may take components and their amounts away.
  project::SwitchIndexFileStep(window_.History(), Document().CentralFolder() + fileName, false);
  Recalculate();
  LoadPeriodBox();
  window_.UpdateWindowState();
}

}  // namespace pc::gui
