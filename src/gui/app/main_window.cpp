#include "gui/app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QListWidget>
#include <QScreen>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>

#include "common/text_routines.h"
#include "gui/app/index_indicator.h"
#include "gui/app/message_dialog.h"
#include "gui/app/qt_seams.h"
#include "gui/common/qt_text.h"
#include "gui/indextable/index_menu.h"
#include "gui/indextable/index_page.h"
#include "gui/installments/installments_message_page.h"
#include "gui/installments/installments_page.h"
#include "gui/project/project_commands.h"
#include "gui/project/project_page.h"
#include "gui/reports/report_commands.h"
#include "gui/update/update_hosting.h"
#include "platform/environment.h"
#include "platform/file_registry.h"
#include "platform/folders.h"
#include "platform/system_proxy.h"
#include "ui_main_window.h"

namespace pc::gui {
namespace {

const char* const kPageHeaders[] = {"Project", "Bestanddelen + Indexcijfers", "Termijnen", "Termijnen"};
// The maker's web site; the help and tip pages are below it.
constexpr const char* kWebSiteBase = "https://www.prijscorrectum.nl/";

const char* const kNavHints[] = {
    "Bewerken van de projecteigenschappen.", "Bewerken van de bestanddelen en indexcijfers.",
    "Bewerken van de termijnen van dit project, en resultaten weergeven."};

}  // namespace

TFrmMain::TFrmMain(TWindowSeams seams, QWidget* parent)
    : QMainWindow(parent), ui_(std::make_unique<Ui::TFrmMain>()), seams_(std::move(seams)) {
  ui_->setupUi(this);
  const platform::Environment& env = platform::ProcessEnvironment();
  if (!seams_.Registry) {
    ownRegistry_ = std::make_unique<platform::FileRegistry>(platform::DefaultSettingsFile(env),
                                                           platform::XdgShellFolders(env));
    seams_.Registry = ownRegistry_.get();
  }
  if (!seams_.SystemProxy) {
    ownProxy_ = std::make_unique<platform::EnvironmentProxy>(env);
    seams_.SystemProxy = ownProxy_.get();
  }
  if (!seams_.Messages) ownMessages_ = std::make_unique<TQtMessages>(this);
  messages_ = seams_.Messages ? seams_.Messages : ownMessages_.get();
  if (!seams_.FileDialogs) ownFileDialogs_ = std::make_unique<TQtFileDialogs>(this);
  fileDialogs_ = seams_.FileDialogs ? seams_.FileDialogs : ownFileDialogs_.get();
  if (!seams_.Mailer) {
    ownMailer_ = std::make_unique<platform::TXdgMailer>();
    seams_.Mailer = ownMailer_.get();
  }
  if (!seams_.Shell) {
    ownShell_ = std::make_unique<platform::TXdgOpen>();
    seams_.Shell = ownShell_.get();
  }

  // The splash shows before anything else is made; the window is not yet visible.
  if (seams_.ShowSplash) ShowAboutWindow(TInfoMode::Splash);

  baseTitle_ = QString::fromLatin1(kAppTitle);
  setWindowTitle(baseTitle_);
  menus_ = CreateMainMenus(this, ui_->MainMenu);
  settings_ = std::make_unique<settings::TKVConfig>(settings::TKVConfig::Context{
      *seams_.Registry, *seams_.SystemProxy, platform::ProgramFolder(), platform::UpdatesFolder()});
  services_.Settings = settings_.get();
  services_.Messages = messages_;
  services_.Questions = seams_.Questions;
  history_ = std::make_unique<project::TProject>(&services_);
  history_->UiStateSource = [this] { return CurrentUiState(); };
  history_->OnRestore = [this] { RestoreFromHistory(); };
  commands_ = std::make_unique<project::TDocumentCommands>(*history_, *settings_, *messages_, *this);

  CreatePages();
  CreateStatusBar();
  ConnectActions();
  // Each subsystem wires its own actions, menus and hooks into the window.
  InstallProjectCommands(*this);
  InstallIndexMenu(*this);
  InstallReportCommands(*this);
  InstallUpdateHosting(*this);
  ui_->Splitter->setSizes({143, 740});
  const QStyle::StandardPixmap navIcons[] = {QStyle::SP_FileIcon, QStyle::SP_FileDialogListView,
                                              QStyle::SP_FileDialogDetailedView};
  for (int i = 0; i < ui_->NavList->count(); ++i) {
    ui_->NavList->item(i)->setToolTip(QString::fromUtf8(kNavHints[i]));
    ui_->NavList->item(i)->setIcon(style()->standardIcon(navIcons[i]));
  }
  connect(ui_->NavList, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row == 0) ShowProjectPage(false, false);
    if (row == 1) ShowIndexPage(false);
    if (row == 2) ShowInstallmentsPage(false);
  });
  StartSequence();
}

TFrmMain::~TFrmMain() {
  // A window destroyed without being closed (the application quit) still
  // lets the subsystems stop their work first; the settings are not saved.
  if (!closed_) Q_EMIT windowClosing();
  Q_EMIT windowDestroying();
  // The pages and the hosted preview use the history and the settings, which
  // go before the widgets do. Hide the window and take the client area down
  // now, while those still exist, so that no focus, paint or selection
  // handler runs against a half-destroyed window.
  hide();
  for (QObject* child : findChildren<QObject*>()) QObject::disconnect(qApp, nullptr, child, nullptr);
  delete takeCentralWidget();
}

void TFrmMain::CreatePages() {
  pages_[0] = new TProjectPage(*this, ui_->PageControl);
  pages_[1] = new TIndexPage(*this, ui_->PageControl);
  pages_[2] = new TInstallmentsPage(*this, ui_->PageControl);
  pages_[3] = new TInstallmentsMessagePage(*this, ui_->PageControl);
  const char* names[] = {"TSPrj", "TSIndex", "TSTermijn", "TSTermijnMsg"};
  for (int i = 0; i < 4; ++i) {
    pages_[i]->setObjectName(QString::fromLatin1(names[i]));
    ui_->PageControl->addWidget(pages_[i]);
  }
}

void TFrmMain::CreateStatusBar() {
  updatePanel_ = new QLabel(this);
  updatePanel_->setObjectName(QStringLiteral("UpdatePanel"));
  updatePanel_->setMinimumWidth(300);
  ui_->StatusBar->addWidget(updatePanel_);
  // The index indicator: the kind's picture, then the text, on yellow.
  indexIcon_ = new QLabel(this);
  indexIcon_->setObjectName(QStringLiteral("IndexKindIcon"));
  indexIcon_->setFixedSize(22, 18);
  indexIcon_->setAlignment(Qt::AlignCenter);
  indexIcon_->setStyleSheet(QStringLiteral("QLabel { background: #ffff80; }"));
  ui_->StatusBar->addPermanentWidget(indexIcon_);
  indexLabel_ = new QLabel(this);
  indexLabel_->setObjectName(QStringLiteral("IndexLabel"));
  indexLabel_->setStyleSheet(QStringLiteral("QLabel { background: #ffff80; padding: 1px 6px; }"));
  ui_->StatusBar->addPermanentWidget(indexLabel_, 1);
}

void TFrmMain::ConnectActions() {
  connect(Action("ActNew"), &QAction::triggered, this, [this] {
    ShowProjectPage(true, true);
    pages_[0]->SetProjectPanel(TProjectPanel::NewProject);
  });
  connect(Action("ActOpen"), &QAction::triggered, this, [this] { commands_->OpenProject(true, {}, {}); });
  connect(Action("ActSave"), &QAction::triggered, this, [this] { commands_->SaveProject(false); });
  connect(Action("ActSaveAs"), &QAction::triggered, this, [this] { commands_->SaveProject(true); });
  connect(Action("ActExpIndex"), &QAction::triggered, this, [this] { commands_->ExportIndexFile({}); });
  connect(Action("ActExit"), &QAction::triggered, this, &QWidget::close);
  connect(Action("actUndo"), &QAction::triggered, this, [this] {
    for (TWindowPage* page : pages_) page->AbandonEdit();
    if (history_->CanUndo()) history_->Undo();
  });
  connect(Action("actRedo"), &QAction::triggered, this, [this] {
    for (TWindowPage* page : pages_) page->AbandonEdit();
    if (history_->CanRedo()) history_->Redo();
  });
  connect(Action("ActCut"), &QAction::triggered, this, [this] {
    if (TWindowPage* page = FocusedGridPage()) page->Cut();
  });
  connect(Action("actCopy"), &QAction::triggered, this, [this] {
    if (TWindowPage* page = FocusedGridPage()) page->Copy();
  });
  connect(Action("actPaste"), &QAction::triggered, this, [this] {
    if (TWindowPage* page = FocusedGridPage()) page->Paste();
  });
  connect(Action("actClearRecent"), &QAction::triggered, this, [this] { settings_->RecentProjects.clear(); });
  connect(Action("actInfo"), &QAction::triggered, this, [this] { ShowAboutWindow(TInfoMode::About); });
  connect(Action("actOnlineHelp"), &QAction::triggered, this,
          [this] { Shell().Open(std::string(kWebSiteBase) + "help"); });
  connect(Action("actOnlineTip"), &QAction::triggered, this,
          [this] { Shell().Open(std::string(kWebSiteBase) + "tip"); });
  connect(menus_.Recent, &QMenu::aboutToShow, this, &TFrmMain::RebuildRecentMenu);
  connect(menus_.File, &QMenu::aboutToShow, this, &TFrmMain::UpdatePrintActions);
  connect(menus_.Edit, &QMenu::aboutToShow, this, &TFrmMain::UpdateWindowState);
}

void TFrmMain::RebuildRecentMenu() {
  const QList<QAction*> items = menus_.Recent->actions();
  for (qsizetype i = 0; i + 2 < items.size(); ++i) {
    menus_.Recent->removeAction(items[i]);
    items[i]->deleteLater();
  }
  QAction* first = menus_.Recent->actions().value(0);
  const auto& recent = settings_->RecentProjects;
  if (recent.empty()) {
    auto* none = new QAction(QStringLiteral("Geen items beschikbaar"), menus_.Recent);
    none->setEnabled(false);
    menus_.Recent->insertAction(first, none);
    return;
  }
  for (std::size_t k = 0; k < recent.size(); ++k) {
    const QString path = PathToQt(recent[k]);
    auto* item = new QAction(QStringLiteral("&%1. %2").arg(recent.size() - k).arg(QString(path).replace(
                                 QLatin1Char('&'), QStringLiteral("&&"))),
                             menus_.Recent);
    item->setEnabled(!previewMode_ && Action("ActOpen")->isEnabled());
    const std::string bytes = recent[k];
    connect(item, &QAction::triggered, this, [this, bytes] { commands_->OpenProject(true, bytes, {}); });
    menus_.Recent->insertAction(first, item);
    first = item;
  }
}

void TFrmMain::StartSequence() {
  settings_->Load();
  ApplySavedPlacement();
  if (settings_->centralPath.empty()) settings_->SetDefaultIndexFolder();
  startedWithIndexFile_ = history_->Current().EnsureDefaultIndexFile();
  if (!startedWithIndexFile_) {
    // No command line and no new project: the window works on the empty
    // document the history holds, with empty models so every page has a table.
    messages_->ShowMessage("Het standaard indexbestand \"" + settings_->DefaultIndexFile() +
                           "\" kan niet worden aangemaakt.");
    StartWithEmptyDocument();
    return;
  }
  ReadCommandLine();
}

void TFrmMain::StartWithEmptyDocument() {
  history_->Current().EnsureModels();
  LoadPages();
  ShowProjectPage(true, true);
}

void TFrmMain::ShowStartScreen() {
  commands_->NewProject(false);
  ShowProjectPage(true, true);
  pages_[0]->SetProjectPanel(settings_->RecentProjects.empty() ? TProjectPanel::NewProject
                                                               : TProjectPanel::OpenProject);
}

void TFrmMain::ReadCommandLine() {
  std::vector<std::string> params;
  for (const std::string& arg : seams_.Arguments) {
    if (SameTextIgnoringCase(arg, "/advIndexExport"))
      advancedIndexExport_ = true;
    else
      params.push_back(arg);
  }
  const bool withIndex = params.size() == 3 && SameTextIgnoringCase(params[1], "INDEX");
  if (params.size() != 1 && !withIndex) {
    ShowStartScreen();
    return;
  }
  // The open reports its own failure; the window then keeps the empty
  // document of the history, without the start screen.
  if (commands_->OpenProject(false, params[0], withIndex ? params[2] : std::string())) {
    ShowProjectPage(true, true);
    pages_[0]->SetProjectPanel(TProjectPanel::Properties);
  } else {
    StartWithEmptyDocument();
  }
}

void TFrmMain::ApplySavedPlacement() {
  const QRect screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry()
                                                        : QRect(0, 0, 1280, 800);
  const QRect saved(settings_->Left, settings_->Top, settings_->Width, settings_->Height);
  // A placement on a screen that is no longer there would hide the window.
  if (settings_->WinState == 0 && saved.width() >= minimumWidth() && saved.height() >= minimumHeight() &&
      QGuiApplication::screenAt(saved.center())) {
    setGeometry(saved);
  } else {
    resize(883, 599);
    move(screen.center() - rect().center());
  }
}

void TFrmMain::StorePlacement() {
  settings_->WinState = isMaximized() ? 2 : (isMinimized() ? 1 : 0);
  if (settings_->WinState == 0) {
    const QRect g = geometry();
    settings_->Top = g.top();
    settings_->Left = g.left();
    settings_->Height = g.height();
    settings_->Width = g.width();
  }
}

void TFrmMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!shownOnce_) {
    shownOnce_ = true;
    Q_EMIT windowShown();
  }
}

void TFrmMain::closeEvent(QCloseEvent* event) {
  for (TWindowPage* page : pages_) page->AbandonEdit();
  if (!closingForSetup_ && !commands_->CloseProject(true)) {
    event->ignore();
    return;
  }
  // The update hosting stops a running worker and waits for it here, before
  // the settings it may still change are written.
  closed_ = true;
  Q_EMIT windowClosing();
  StorePlacement();
  settings_->Save();
  event->accept();
}

TPageId TFrmMain::ActivePage() const { return static_cast<TPageId>(ui_->PageControl->currentIndex()); }

TWindowPage* TFrmMain::Page(TPageId id) const { return pages_[static_cast<int>(id)]; }

QStackedWidget* TFrmMain::ClientStack() const { return ui_->ClientStack; }

void TFrmMain::SetPreviewMode(bool on) {
  previewMode_ = on;
  UpdateWindowState();
}

void TFrmMain::SetFocusedGrid(int grid) {
  if (grid == focusedGrid_) return;
  focusedGrid_ = grid;
  UpdateWindowState();
}

TWindowPage* TFrmMain::FocusedGridPage() const {
  switch (focusedGrid_) {
    case 1: return pages_[1];
    case 2: return pages_[2];
    default: return nullptr;
  }
}

void TFrmMain::ShowProjectPage(bool selectNavItem, bool force) {
  if (force || ActivePage() != TPageId::TSPrj) {
    pages_[0]->SetProjectPanel(TProjectPanel::Properties);
    ui_->PageControl->setCurrentIndex(0);
    pages_[0]->Activate();
  }
  if (selectNavItem) {
    QSignalBlocker block(ui_->NavList);
    ui_->NavList->setCurrentRow(0);
  }
  UpdateWindowState();
}

void TFrmMain::ShowIndexPage(bool selectNavItem) {
  const bool changed = ActivePage() != TPageId::TSIndex;
  if (changed) {
    ui_->PageControl->setCurrentIndex(1);
    pages_[1]->Activate();
  }
  if (selectNavItem) {
    QSignalBlocker block(ui_->NavList);
    ui_->NavList->setCurrentRow(1);
  }
  UpdateWindowState();
}

void TFrmMain::ShowInstallmentsPage(bool selectNavItem) {
  const TPageId page = ActivePage();
  if (page != TPageId::TSTermijn) {
    // The installments page decides itself whether a component can be shown;
    // it asks for the message page when none can (from the message page it
    // looks again).
    ui_->PageControl->setCurrentIndex(2);
    pages_[2]->Activate();
  }
  if (selectNavItem) {
    QSignalBlocker block(ui_->NavList);
    ui_->NavList->setCurrentRow(2);
  }
  UpdateWindowState();
}

void TFrmMain::ShowInstallmentsMessagePage() {
  ui_->PageControl->setCurrentIndex(static_cast<int>(TPageId::TSTermijnMsg));
  pages_[3]->Activate();
}

void TFrmMain::RunDeferred(std::function<void()> task) { QTimer::singleShot(0, this, std::move(task)); }

void TFrmMain::RequestOpenProject(const std::string& path, bool deferred) {
  if (!deferred) {
    commands_->OpenProject(true, path, {});
    return;
  }
  pendingOpen_ = path;
  ScheduleIdle();
}

void TFrmMain::RequestNewProject(const TNewProjectTemplate* newTemplate) {
  if (newTemplate) {
    pendingNew_ = *newTemplate;
    ScheduleIdle();
    return;
  }
  if (!pendingNew_) return;
  const TNewProjectTemplate request = *pendingNew_;
  pendingNew_.reset();
  // A cancelled save question drops the request; the document stays.
  if (!commands_->NewProject(true)) return;
  FillNewProject(request);
}

void TFrmMain::FillNewProject(const TNewProjectTemplate& newTemplate) {
  if (newProjectFiller_) {
    newProjectFiller_(newTemplate);
    return;
  }
  history_->BeginStep(true);
  project::TProjectData& doc = history_->Current();
  const TDateTime priceDate =
      newTemplate.PriceReferenceDate == -1 ? doc.PriceReferenceDate : newTemplate.PriceReferenceDate;
  doc.SetProperties(newTemplate.Name, newTemplate.Client, doc.StartOfWorks, priceDate,
                    newTemplate.Contractor);
  history_->ExtendPeriodToPriceMonth();
  for (TWindowPage* page : pages_) page->LoadFromDocument();
  UpdateWindowState();
}

void TFrmMain::ScheduleIdle() {
  if (idleScheduled_) return;
  idleScheduled_ = true;
  QTimer::singleShot(0, this, &TFrmMain::OnIdle);
}

void TFrmMain::OnIdle() {
  idleScheduled_ = false;
  if (pendingNew_) {
    RequestNewProject(nullptr);
  } else if (pendingOpen_) {
    const std::string path = *pendingOpen_;
    pendingOpen_.reset();
    commands_->OpenProject(true, path, {});
  }
}

void TFrmMain::SetCellEditMenus(bool editing) {
  cellEditActive_ = editing;
  for (QMenu* menu : {menus_.File, menus_.Help})
    for (QAction* item : menu->actions()) item->setEnabled(!editing);
}

void TFrmMain::UpdatePrintActions() {
  const project::TProjectData& doc = history_->Current();
  if (previewMode_ || !doc.IndexTable || cellEditActive_) return;
  const bool hasComponents = doc.IndexTable->Count() > 0;
  Action("ActExpIndex")->setEnabled(hasComponents);
  const bool canPrint = ActivePage() == TPageId::TSIndex
                            ? hasComponents
                            : doc.Installments && doc.Installments->Count() > 0 && pages_[2]->CanPrint();
  Action("ActPrint")->setEnabled(canPrint);
  Action("ActPreview")->setEnabled(canPrint);
}

void TFrmMain::ShowAboutWindow(TInfoMode mode) {
  TInfoForm about(mode, Shell(), isVisible() ? this : nullptr);
  about.exec();
}

void TFrmMain::UpdateTitle() {
  const std::string& name = history_->Current().ProjectName;
  setWindowTitle(name.empty() ? baseTitle_ : baseTitle_ + QStringLiteral(" - ") + ToQt(name));
}

QString TFrmMain::IndexIndicatorText() const { return indexLabel_->text(); }

void TFrmMain::UpdateWindowState() {
  if (!history_) return;
  const bool on = !previewMode_;
  for (const char* name : {"ActNew", "ActOpen", "ActSave", "ActSaveAs", "ActExpIndex", "ActIndexAdd", "ActOpt",
                           "ActPreview", "ActCut", "actCopy", "actPaste", "actUpd", "actInstIgnoreVer",
                           "actClearRecent"})
    Action(name)->setEnabled(on);
  std::string ignoredSetup;
  settings_->IgnoredCoreFile(ignoredSetup);
  Action("actInstIgnoreVer")->setVisible(!ignoredSetup.empty());
  // A hosted preview shows the document as it was made from; undo and redo
  // would leave it (and what it prints) behind the document.
  Action("actUndo")->setEnabled(on && history_->CanUndo());
  Action("actRedo")->setEnabled(on && history_->CanRedo());
  if (on) {
    TWindowPage* grid = FocusedGridPage();
    Action("ActCut")->setEnabled(grid && grid->CanCut());
    Action("actCopy")->setEnabled(grid && grid->CanCopy());
    Action("actPaste")->setEnabled(grid && grid->CanPaste());
    UpdatePrintActions();
  }
  const TPageId page = ActivePage();
  Action("actSendPDF")->setEnabled(on && (page == TPageId::TSIndex || page == TPageId::TSTermijn));
  menus_.Index->menuAction()->setVisible(on && page == TPageId::TSIndex);

  const project::TProjectData& doc = history_->Current();
  indexLabel_->setText(gui::IndexIndicatorText(doc));
  const TIndexPictureKey pictureKey{doc.IndexBinding, doc.IndexPicture.get()};
  if (pictureKey != shownIndexPicture_) {
    shownIndexPicture_ = pictureKey;
    indexIcon_->setPixmap(IndexIndicatorPicture(doc));
  }
  ui_->PageHeader->setText(QString::fromLatin1(kPageHeaders[static_cast<int>(page)]));
  for (TWindowPage* p : pages_) p->UpdatePageState();
  UpdateTitle();
  Q_EMIT windowStateUpdated();
}

project::TUiState TFrmMain::CurrentUiState() const {
  project::TUiState state = history_->Current().Ui;
  state.ActivePage = static_cast<int>(ActivePage());
  state.ActiveControl = FocusedControlNumber();
  state.FocusedGrid = focusedGrid_;
  for (TWindowPage* page : pages_) page->StoreUiState(state);
  return state;
}

void TFrmMain::RestoreFromHistory() {
  const project::TUiState state = history_->Current().Ui;
  focusedGrid_ = state.FocusedGrid;
  for (TWindowPage* page : pages_) page->LoadFromDocument();
  for (TWindowPage* page : pages_) page->RestoreUiState(state);
  switch (static_cast<TPageId>(state.ActivePage)) {
    case TPageId::TSIndex: ShowIndexPage(true); break;
    case TPageId::TSTermijn:
    case TPageId::TSTermijnMsg: ShowInstallmentsPage(true); break;
    default: ShowProjectPage(true, false); break;
  }
  if (QWidget* control = ControlByNumber(state.ActiveControl); control && control->isEnabled())
    control->setFocus();
  UpdateWindowState();
}

// A control of the page area is recorded by its number among the page
// area's widgets (1-based, in creation order; 0 for none), which is the same
// in every document of one window.
int TFrmMain::FocusedControlNumber() const {
  const QWidget* focus = QApplication::focusWidget();
  if (!focus || !ui_->PageControl->isAncestorOf(focus)) return 0;
  const QList<QWidget*> controls = ui_->PageControl->findChildren<QWidget*>();
  const qsizetype i = controls.indexOf(const_cast<QWidget*>(focus));
  return i < 0 ? 0 : static_cast<int>(i) + 1;
}

QWidget* TFrmMain::ControlByNumber(int number) const {
  if (number <= 0) return nullptr;
  const QList<QWidget*> controls = ui_->PageControl->findChildren<QWidget*>();
  return number <= controls.size() ? controls[number - 1] : nullptr;
}

std::optional<std::string> TFrmMain::ChooseProjectToOpen(const std::string& initialFolder,
                                                         const std::string& filter, const std::string& title) {
  return fileDialogs_->OpenFileName(initialFolder, filter, title);
}

std::optional<std::string> TFrmMain::ChooseProjectToSave(const std::string& initialFolder,
                                                         const std::string& proposedName,
                                                         const std::string& defaultExtension,
                                                         const std::string& filter, const std::string& title) {
  return fileDialogs_->SaveFileName(initialFolder, proposedName, defaultExtension, filter, title);
}

std::optional<std::string> TFrmMain::ChooseExportFolder() {
  return fileDialogs_->ExistingFolder(settings_->centralPath, "Map kiezen");
}

bool TFrmMain::ShowIndexExportDialog(std::string& path, int& exportKind,
                                     std::optional<project::TPicture>& picture) {
  return indexExportDialog_ && indexExportDialog_(path, exportKind, picture);
}

void TFrmMain::SetDefaultMergeQuestions(std::unique_ptr<project::TMergeQuestions> questions) {
  ownQuestions_ = std::move(questions);
  if (!seams_.Questions) services_.Questions = ownQuestions_.get();
}

void TFrmMain::LoadPages() {
  UpdateTitle();
  for (TWindowPage* page : pages_) page->LoadFromDocument();
  // A new or opened document starts on its properties.
  ShowProjectPage(true, true);
  Q_EMIT documentLoaded();
  UpdateWindowState();
}

void TFrmMain::ClearGridStates() {
  // The document was replaced: no grid has a cursor or the focus in it until
  // the pages are loaded from the new document.
  history_->Current().Ui = project::TUiState{};
  focusedGrid_ = 0;
}

void TFrmMain::RefreshLogo() { pages_[0]->LoadFromDocument(); }

void TFrmMain::ReloadPeriods() {
  if (ActivePage() == TPageId::TSIndex) pages_[1]->Activate();
}

}  // namespace pc::gui
