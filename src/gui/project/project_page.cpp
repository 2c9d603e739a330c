#include "gui/project/project_page.h"

#include "gui/app/index_indicator.h"

#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyle>

#include "common/date_time.h"
#include "common/text_routines.h"
#include "gui/common/balloon_hint.h"
#include "gui/common/qt_text.h"
#include "gui/installments/calc_method_dialog.h"
#include "gui/project/logo_pixmap.h"
#include "gui/project/prj_page_new_item.h"
#include "gui/project/prj_page_open_item.h"
#include "installments/calc_method.h"
#include "project/document_commands.h"
#include "project/index_indicator.h"
#include "ui_project_page.h"

namespace pc::gui {

const char* const kPeilInfoText =
    "De prijspeildatum is de datum te opzichte waarvan de prijscorrectie wordt berekend. In de meeste "
    "gevallen is dit de aanbestedingsdatum.";
const char* const kAanvangInfoText =
    "De aanvang uitvoeringsdatum is de datum wanneer is gestart met het werk. In veel gevallen is dit "
    "gelijk aan de aanbestedingsdatum. Soms kan er pas later gestart worden met de uitvoering. Deze "
    "datum is van belang voor het berekenen van de eerste termijn.";
const char* const kDateWarningInfoText =
    "De prijspeildatum ligt na de uitvoeringsstart. Dit is ongebruikelijk bij het toepassen van de "
    "prijscorrectum. Het betekent dat de prijscompensatie wordt berekend ten opzichte van een datum die "
    "nog voor ons ligt.\n\nIndien dit inderdaad is wat u wilt, dan wilt u waarschijnlijk ook dat de "
    "verrekening pas start vanaf de prijspeildatum, en niet vanaf de uitvoeringsstart. Dit kunt u "
    "opgeven bij bestanddelen.";

namespace {

// Ids of the page's controls in TUiState::ActiveControl (kept apart from
// the other pages' ids).
constexpr int kFirstControlId = 101;
constexpr int kControlCount = 7;

// Adds `name` (trimmed, not empty) to a sorted list when it is not there.
void AddToSortedList(QComboBox* box, const QString& name) {
  const QString trimmed = name.trimmed();
  if (trimmed.isEmpty() || box->findText(name, Qt::MatchExactly) >= 0) return;
  int at = 0;
  while (at < box->count() && QString::compare(box->itemText(at), name, Qt::CaseInsensitive) < 0) ++at;
  box->insertItem(at, name);
}

}  // namespace

TProjectPage::TProjectPage(TWindowServices& window, QWidget* parent)
    : TWindowPage(window, parent),
      ui_(std::make_unique<Ui::TProjectPageForm>()),
      balloon_(std::make_unique<TBalloonHint>(this)) {
  ui_->setupUi(this);
  for (QComboBox* box : {ui_->EdtOpdrGev, ui_->EdtOpdrNem}) {
    box->setInsertPolicy(QComboBox::NoInsert);
    box->lineEdit()->setMaxLength(static_cast<int>(project::kProjectTextLength));
  }
  const QPixmap info = style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(16, 16);
  for (QLabel* icon : {ui_->imgPrjPeilInfo, ui_->imgPrjAanvInfo}) {
    icon->setPixmap(info);
    icon->setAlignment(Qt::AlignCenter);
    icon->installEventFilter(this);
  }
  ui_->imgDefLogo->setPixmap(DefaultLogoPixmap());
  ui_->Label23->SetLinkColour(Qt::red);
  ui_->Label23->setText(ToQt(kDateWarningLink));
  ui_->LCalcKind1->setToolTip(ToQt(kMethodLabelHint));
  SetDateWarning(false);
  ConnectFields();

  connect(ui_->Label9, &TLinkLabel::clicked, this, [this] { SetProjectPanel(TProjectPanel::OpenProject); });
  connect(ui_->Label21, &TLinkLabel::clicked, this, [this] { SetProjectPanel(TProjectPanel::NewProject); });
  connect(ui_->Label24, &TLinkLabel::clicked, this, [this] { SetProjectPanel(TProjectPanel::OpenProject); });
  connect(ui_->Label38, &TLinkLabel::clicked, this, [this] { SetProjectPanel(TProjectPanel::NewProject); });
  for (TLinkLabel* link : {ui_->Label25, ui_->Label37})
    connect(link, &TLinkLabel::clicked, this, [this] { window_.ShowProjectPage(true, true); });
  connect(ui_->Label27, &TLinkLabel::clicked, this, [this] {
    if (window_.Commands().OpenProject(true, {}, {})) window_.ShowProjectPage(true, true);
  });
  connect(ui_->LCalcKind1, &TLinkLabel::clicked, this, &TProjectPage::HandleCalcKindClick);
  connect(ui_->lChLogo, &TLinkLabel::clicked, this, &TProjectPage::ChangeLogo);
  connect(ui_->lDelLogo, &TLinkLabel::clicked, this, &TProjectPage::DeleteLogo);
  connect(ui_->Label23, &TLinkLabel::clicked, this, [this] { ShowInfoBalloon(ui_->Label23); });

  timer1_.setInterval(40);
  connect(&timer1_, &QTimer::timeout, this, &TProjectPage::Tick);
  timer1_.start();
}

TProjectPage::~TProjectPage() {
  timer1_.stop();
  FreeTiles();
}

void TProjectPage::ConnectFields() {
  connect(ui_->EdtPrjName, &QLineEdit::textChanged, this, [this] { HandleProjectDataChange(ui_->EdtPrjName); });
  for (QComboBox* box : {ui_->EdtOpdrGev, ui_->EdtOpdrNem})
    connect(box, &QComboBox::editTextChanged, this, [this, box] { HandleProjectDataChange(box); });
  for (TNullableDateEdit* edit : {ui_->edtPrjAanDat, ui_->EdtPeil, ui_->EdtAanvang})
    connect(edit, &QDateEdit::dateChanged, this, [this, edit] { HandleProjectDataChange(edit); });
  for (QWidget* field : std::initializer_list<QWidget*>{ui_->EdtPrjName, ui_->EdtOpdrGev, ui_->EdtOpdrNem,
                                                        ui_->edtPrjAanDat, ui_->EdtPeil, ui_->EdtAanvang})
    field->installEventFilter(this);
  connect(ui_->cbIsConcept, &QCheckBox::clicked, this, &TProjectPage::ConceptClicked);
}

// ---- TWindowPage -----------------------------------------------------------

void TProjectPage::LoadFromDocument() {
  LoadProjectFields();
  UpdateLogoDisplay();
}

void TProjectPage::Activate() {
  SetProjectPanel(TProjectPanel::Properties);
  LoadProjectFields();
  UpdateLogoDisplay();
  SetDateWarning(false);
  window_.RunDeferred([this] { FocusFields(); });
}

void TProjectPage::StoreUiState(project::TUiState& state) const {
  const int id = IdOfControl(QApplication::focusWidget());
  if (id != 0)
    state.ActiveControl = id;
  else if (ControlOfId(state.ActiveControl) != nullptr)
    state.ActiveControl = 0;
}

void TProjectPage::RestoreUiState(const project::TUiState& state) {
  // After undo and redo: the fields hold the restored document; only the
  // warning is evaluated again.
  StoreProjectFields(true);
  restoreFocus_ = ControlOfId(state.ActiveControl) != nullptr ? state.ActiveControl : 0;
  if (restoreFocus_ != 0) window_.RunDeferred([this] { FocusFields(); });
}

void TProjectPage::UpdatePageState() {
  const project::TProjectData& doc = window_.History().Current();
  ui_->LCalcKind1->setText(ToQt(CalculationMethodName(doc.CalcMethod)));
  ui_->lCurIndex->setText(ToQt(project::IndexIndicatorText(doc)));
  // The same picture as the status bar's, made again only when it changes.
  const TIndexPictureKey key{doc.IndexBinding, doc.IndexPicture.get()};
  if (key != shownIndexPicture_) {
    shownIndexPicture_ = key;
    ui_->imgIndex->setPixmap(IndexIndicatorPicture(doc));
  }
}

// ---- properties ----------------------------------------------------------------

void TProjectPage::LoadProjectFields() {
  const project::TProjectData& doc = window_.History().Current();
  fieldsLoaded_ = false;
  fieldSnapshot_ = false;
  ui_->EdtPrjName->setText(ToQt(doc.ProjectName));
  ui_->cbIsConcept->setChecked(doc.Concept);
  AddToSortedList(ui_->EdtOpdrGev, ToQt(doc.Client));
  ui_->EdtOpdrGev->setEditText(ToQt(doc.Client));
  AddToSortedList(ui_->EdtOpdrNem, ToQt(doc.Contractor));
  ui_->EdtOpdrNem->setEditText(ToQt(doc.Contractor));
  ui_->EdtPeil->SetDayCount(DateOf(doc.PriceReferenceDate));
  ui_->EdtAanvang->SetDayCount(DateOf(doc.StartOfWorks));
  ui_->edtPrjAanDat->SetDayCount(DateOf(doc.TenderDate));
  SetDateWarning(false);
  fieldsLoaded_ = true;
}

void TProjectPage::StoreProjectFields(bool restoreOnly) {
  bool warning = false;
  if (restoreOnly) {
    warning = ui_->EdtPeil->DayCount() > ui_->EdtAanvang->DayCount();
    UpdateLogoDisplay();
  } else {
    if (!fieldsLoaded_) return;
    if (!fieldSnapshot_) {
      window_.History().BeginStep(true);
      window_.UpdateWindowState();
      fieldSnapshot_ = true;
    }
    project::TProjectData& doc = window_.History().Current();
    warning = !doc.SetProperties(FromQt(ui_->EdtPrjName->text()), FromQt(ui_->EdtOpdrGev->currentText()),
                                 ui_->EdtAanvang->DayCount(), ui_->EdtPeil->DayCount(),
                                 FromQt(ui_->EdtOpdrNem->currentText()));
    doc.TenderDate = ui_->edtPrjAanDat->DayCount();
  }
  window_.UpdateTitle();
  SetDateWarning(warning);
}

void TProjectPage::HandleProjectDataChange(QWidget* field) {
  StoreProjectFields(false);
  if (field == ui_->EdtPeil) window_.History().ExtendPeriodToPriceMonth();
}

void TProjectPage::SetDateWarning(bool shown) {
  ui_->Label22->setVisible(shown);
  ui_->Label23->setVisible(shown);
  if (shown) ui_->Label23->setText(ToQt(kDateWarningLink));
}

bool TProjectPage::DateWarningShown() const { return !ui_->Label23->isHidden(); }

void TProjectPage::ConceptClicked(bool checked) {
  project::TProject& history = window_.History();
  if (checked != history.Current().Concept) {
    history.BeginStep(true);
    history.Current().Concept = checked;
  }
  window_.UpdateWindowState();
}

void TProjectPage::HandleCalcKindClick() {
  project::TProject& history = window_.History();
  const int current = history.Current().CalcMethod;
  const int chosen = ChooseCalculationMethod(window(), current, window_.Shell());
  if (chosen < 0 || chosen == current) return;
  history.BeginStep(true);
  project::TProjectData& doc = history.Current();
  doc.SetCalcMethod(chosen, doc.Installments ? doc.Installments->CurrentComponent() : 0);
  window_.UpdateWindowState();
}

// ---- logo ----------------------------------------------------------------------

void TProjectPage::UpdateLogoDisplay() {
  const project::TProjectData& doc = window_.History().Current();
  const bool hasLogo = doc.HasLogo && doc.Logo && !doc.Logo->Empty();
  ui_->lChLogo->setEnabled(true);
  ui_->imgPrjLogo->setPixmap(hasLogo ? FitLogo(PictureToPixmap(*doc.Logo)) : QPixmap());
  ui_->imgPrjLogo->setVisible(hasLogo);
  ui_->lDelLogo->setVisible(hasLogo);
  ui_->imgDefLogo->setVisible(!hasLogo);
}

void TProjectPage::ChangeLogo() {
  if (!chooseLogoFile_) return;
  const std::optional<std::string> path =
      chooseLogoFile_(window_.Settings().filePath, kLogoFilter, kLogoDialogTitle);
  project::TFileDates dates;
  if (!path || !project::ReadFileDates(*path, dates)) return;
  project::TProject& history = window_.History();
  history.BeginStep(false);
  if (history.Current().LoadLogo(*path)) {
    history.CommitStep();
  } else {
    // The old logo stays: the step that would have cleared it is dropped.
    history.DropStep();
    window_.Messages().ShowMessage("Het bestand \"" + FromQt(PathToQt(*path)) +
                                   "\" kan niet als afdruklogo worden gelezen (geen bmp-, jpg-, png-, ico-, "
                                   "emf- of wmf-afbeelding). Het huidige afdruklogo blijft staan.");
  }
  UpdateLogoDisplay();
  window_.UpdateWindowState();
}

void TProjectPage::DeleteLogo() {
  project::TProject& history = window_.History();
  history.BeginStep(true);
  history.Current().ClearLogo();
  UpdateLogoDisplay();
  window_.UpdateWindowState();
}

// ---- balloons ------------------------------------------------------------------

void TProjectPage::ShowInfoBalloon(QWidget* source) {
  if (source == ui_->imgPrjPeilInfo)
    balloon_->ShowFor(source, QString::fromUtf8(kPeilInfoText), 5000);
  else if (source == ui_->imgPrjAanvInfo)
    balloon_->ShowFor(source, QString::fromUtf8(kAanvangInfoText), 5000);
  else if (source == ui_->Label23)
    balloon_->ShowFor(source, QString::fromUtf8(kDateWarningInfoText), 30000);
}

void TProjectPage::BalloonHoverTick(const QPoint& globalCursor) {
  // The start-of-works icon is tested first.
  QWidget* icon = nullptr;
  for (QLabel* candidate : {ui_->imgPrjAanvInfo, ui_->imgPrjPeilInfo}) {
    if (candidate->isVisible() && candidate->rect().contains(candidate->mapFromGlobal(globalCursor))) {
      icon = candidate;
      break;
    }
  }
  if (icon == hoverIcon_) {
    ++hoverTicks_;
  } else {
    hoverIcon_ = icon;
    hoverTicks_ = 0;
  }
  if (icon && hoverTicks_ == kBalloonHoverTicks) ShowInfoBalloon(icon);
}

void TProjectPage::Tick() {
  if (!isVisible()) return;
  const QPoint cursor = QCursor::pos();
  if (ProjectPanel() == TProjectPanel::Properties) {
    BalloonHoverTick(cursor);
  } else {
    for (TfrmePrjPageItem* tile : tiles_) tile->HoverTick(cursor);
  }
}

// ---- panels and tiles ------------------------------------------------------------

TProjectPanel TProjectPage::ProjectPanel() const {
  return static_cast<TProjectPanel>(ui_->PrjPanels->currentIndex());
}

void TProjectPage::SetProjectPanel(TProjectPanel mode) {
  if (ProjectPanel() == mode) return;
  FreeTiles();
  ui_->PrjPanels->setCurrentIndex(static_cast<int>(mode));
  if (mode == TProjectPanel::NewProject) {
    project::TNewProjectTemplate free;
    free.Caption = project::kFreeProjectCaption;
    AddNewTile(free);
  } else if (mode == TProjectPanel::OpenProject) {
    const std::vector<std::string>& recent = window_.Settings().RecentProjects;
    for (auto it = recent.rbegin(); it != recent.rend(); ++it) {
      project::TFileDates dates;
      if (project::ReadFileDates(*it, dates)) AddOpenTile(*it);
    }
  }
}

void TProjectPage::ShowStartScreen() {
  window_.ShowProjectPage(true, false);
  SetProjectPanel(window_.Settings().RecentProjects.empty() ? TProjectPanel::NewProject : TProjectPanel::OpenProject);
}

void TProjectPage::AddOpenTile(const std::string& path) {
  auto* tile = new TfrmePrjPageOpenItem(ui_->sPrjOpenContent);
  AddTile(tile, ui_->sPrjOpenContent);
  tile->Init({path});
  connect(tile, &TfrmePrjPageItem::activated, this, [this, tile] { window_.RequestOpenProject(tile->Path(), true); });
}

void TProjectPage::AddNewTile(const project::TNewProjectTemplate& data) {
  auto* tile = new TfrmePrjPageNewItem(ui_->sPrjNewContent);
  AddTile(tile, ui_->sPrjNewContent);
  tile->Init(data);
  connect(tile, &TfrmePrjPageItem::activated, this, [this, tile] { window_.RequestNewProject(&tile->Data()); });
}

void TProjectPage::AddTile(TfrmePrjPageItem* tile, QWidget* scrollContent) {
  auto* layout = static_cast<QBoxLayout*>(scrollContent->layout());
  tile->setObjectName(QStringLiteral("prjPageItem%1").arg(layout->count() - 1));
  // Below the tiles already there, above the closing spacer.
  layout->insertWidget(layout->count() - 1, tile);
  tiles_.push_back(tile);
}

void TProjectPage::FreeTiles() {
  for (TfrmePrjPageItem* tile : tiles_) {
    tile->ReleaseContent();
    tile->hide();
    // A tile may be the one whose click led here: it goes once its handler
    // has returned.
    tile->deleteLater();
  }
  tiles_.clear();
}

void TProjectPage::FillNewProject(const project::TNewProjectTemplate& data) {
  SetProjectPanel(TProjectPanel::Properties);
  fieldSnapshot_ = false;
  fieldsLoaded_ = false;
  ui_->EdtPrjName->setText(ToQt(data.Name));
  ui_->EdtOpdrGev->setEditText(ToQt(data.Client));
  ui_->EdtOpdrNem->setEditText(ToQt(data.Contractor));
  ui_->EdtPeil->SetDayCount(data.PriceReferenceDate == -1 ? TodayLocal() : data.PriceReferenceDate);
  fieldsLoaded_ = true;
  // The template goes into the document as one undo step: the new project
  // counts as changed.
  StoreProjectFields(false);
  window_.ShowProjectPage(true, true);
}

// ---- focus -------------------------------------------------------------------------

QWidget* TProjectPage::ControlOfId(int id) const {
  QWidget* const controls[] = {ui_->EdtPrjName, ui_->EdtOpdrGev, ui_->EdtOpdrNem, ui_->edtPrjAanDat,
                               ui_->EdtPeil,    ui_->EdtAanvang, ui_->cbIsConcept};
  const int index = id - kFirstControlId;
  return index >= 0 && index < kControlCount ? controls[index] : nullptr;
}

int TProjectPage::IdOfControl(const QWidget* widget) const {
  for (; widget != nullptr && widget != this; widget = widget->parentWidget())
    for (int id = kFirstControlId; id < kFirstControlId + kControlCount; ++id)
      if (ControlOfId(id) == widget) return id;
  return 0;
}

void TProjectPage::FocusFields() {
  if (!window()->isVisible() || !isVisible() || ProjectPanel() != TProjectPanel::Properties) return;
  if (restoreFocus_ != 0) {
    QWidget* control = ControlOfId(restoreFocus_);
    restoreFocus_ = 0;
    if (control && control->isEnabled()) control->setFocus(Qt::OtherFocusReason);
    return;
  }
  if (!ui_->EdtPrjName->isEnabled() || !ui_->EdtOpdrGev->isEnabled()) return;
  ui_->EdtOpdrGev->setFocus(Qt::OtherFocusReason);
  ui_->EdtPrjName->setFocus(Qt::OtherFocusReason);
}

bool TProjectPage::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn) {
    // A field that gets the focus starts a new undo step at its first
    // change; the focus coming back from its own popup or from another
    // window does not.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) fieldSnapshot_ = false;
  } else if (event->type() == QEvent::MouseButtonPress &&
             (watched == ui_->imgPrjPeilInfo || watched == ui_->imgPrjAanvInfo)) {
    return true;
  } else if (event->type() == QEvent::MouseButtonRelease &&
             static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
             (watched == ui_->imgPrjPeilInfo || watched == ui_->imgPrjAanvInfo)) {
    ShowInfoBalloon(static_cast<QWidget*>(watched));
    return true;
  }
  return TWindowPage::eventFilter(watched, event);
}

}  // namespace pc::gui
