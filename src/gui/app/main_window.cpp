#include "gui/app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QListWidget>
#include <QScreen>
#include <QStackedWidget>
#include <QStatusBar>

#include "common/text_routines.h"
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
  for (int i = 0; i < ui_->NavList->count(); ++i)
    ui_->NavList->item(i)->setToolTip(QString::fromUtf8(kNavHints[i]));
  connect(ui_->NavList, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row == 0) ShowProjectPage(false, false);
    if (row == 1) ShowIndexPage(false);
    if (row == 2) ShowInstallmentsPage(false);
  });
  StartSequence();
}

TFrmMain::~TFrmMain() { Q_EMIT windowDestroying(); }

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
  indexLabel_ = new QLabel(this);
  indexLabel_->setObjectName(QStringLiteral("IndexLabel"));
  indexLabel_->setStyleSheet(QStringLiteral("QLabel { background: #ffff80; padding: 1px 6px; }"));
  ui_->StatusBar->addPermanentWidget(indexLabel_, 1);
}

void TFrmMain::ConnectActions() {
  connect(Action("ActNew"), &QAction::triggered, this, [this] { ShowProjectPage(true, true); });
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
  connect(menus_.Recent, &QMenu::aboutToShow, this, &TFrmMain::RebuildRecentMenu);
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
    messages_->ShowMessage("Het standaard indexbestand \"" + settings_->DefaultIndexFile() +
                           "\" kan niet worden aangemaakt.");
    LoadPages();
    ShowProjectPage(true, true);
    return;
  }
  ReadCommandLine();
}

void TFrmMain::ReadCommandLine() {
  std::vector<std::string> params;
  for (const std::string& arg : seams_.Arguments) {
    if (SameTextIgnoringCase(arg, "/advIndexExport"))
      advancedIndexExport_ = true;
    else
      params.push_back(arg);
  }
  bool opened = false;
  if (params.size() == 1) {
    opened = commands_->OpenProject(false, params[0], {});
    if (!opened) {
      LoadPages();
      ShowProjectPage(true, true);
      return;
    }
  } else if (params.size() == 3 && SameTextIgnoringCase(params[1], "INDEX")) {
    opened = commands_->OpenProject(false, params[0], params[2]);
    if (!opened) {
      LoadPages();
      ShowProjectPage(true, true);
      return;
    }
  }
  if (!opened) commands_->NewProject(false);
  ShowProjectPage(true, true);
}

void TFrmMain::ApplySavedPlacement() {
  const QRect screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry()
                                                        : QRect(0, 0, 1280, 800);
  if (settings_->WinState == 0 && settings_->Width >= minimumWidth() && settings_->Height >= minimumHeight()) {
    setGeometry(settings_->Left, settings_->Top, settings_->Width, settings_->Height);
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

TWindowPage* TFrmMain::FocusedGridPage() const {
  switch (history_->Current().Ui.FocusedGrid) {
    case 1: return pages_[1];
    case 2: return pages_[2];
    default: return nullptr;
  }
}

void TFrmMain::ShowProjectPage(bool selectNavItem, bool force) {
  if (force || ActivePage() != TPageId::TSPrj) {
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
  if (page != TPageId::TSTermijn && page != TPageId::TSTermijnMsg) {
    // The installments page decides itself whether a component can be shown;
    // it asks for the message page when none can.
    ui_->PageControl->setCurrentIndex(2);
    pages_[2]->Activate();
  }
  if (selectNavItem) {
    QSignalBlocker block(ui_->NavList);
    ui_->NavList->setCurrentRow(2);
  }
  UpdateWindowState();
}

void TFrmMain::RunDeferred(std::function<void()> task) { QTimer::singleShot(0, this, std::move(task)); }

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
  Action("actInstIgnoreVer")->setVisible(!settings_->ignoreDownloadedCoreFile.empty());
  Action("actUndo")->setEnabled(history_->CanUndo());
  Action("actRedo")->setEnabled(history_->CanRedo());
  if (on) {
    TWindowPage* grid = FocusedGridPage();
    Action("ActCut")->setEnabled(grid && grid->CanCut());
    Action("actCopy")->setEnabled(grid && grid->CanCopy());
    Action("actPaste")->setEnabled(grid && grid->CanPaste());
  }
  const TPageId page = ActivePage();
  Action("actSendPDF")->setEnabled(on && (page == TPageId::TSIndex || page == TPageId::TSTermijn));
  menus_.Index->menuAction()->setVisible(on && page == TPageId::TSIndex);

  const project::TProjectData& doc = history_->Current();
  const QString name = PathToQt(std::string(FileBaseName(doc.IndexPath)));
  QString text;
  switch (doc.IndexBinding) {
    case project::index_binding::kCentral: text = QStringLiteral("Centrale indextabel (%1)").arg(name); break;
    case project::index_binding::kLocal: text = QStringLiteral("Lokale indextabel (%1)").arg(name); break;
    case project::index_binding::kCentralOnline:
      text = QStringLiteral("Centrale (online) indextabel (%1)").arg(name);
      break;
    default: text = QStringLiteral("Indextabel schrijfbeveiligd"); break;
  }
  indexLabel_->setText(text);
  ui_->PageHeader->setText(QString::fromLatin1(kPageHeaders[static_cast<int>(page)]));
  for (TWindowPage* p : pages_) p->UpdatePageState();
  UpdateTitle();
}

project::TUiState TFrmMain::CurrentUiState() const {
  project::TUiState state = history_->Current().Ui;
  state.ActivePage = static_cast<int>(ActivePage());
  for (TWindowPage* page : pages_) page->StoreUiState(state);
  return state;
}

void TFrmMain::RestoreFromHistory() {
  const project::TUiState state = history_->Current().Ui;
  for (TWindowPage* page : pages_) page->LoadFromDocument();
  for (TWindowPage* page : pages_) page->RestoreUiState(state);
  switch (static_cast<TPageId>(state.ActivePage)) {
    case TPageId::TSIndex: ShowIndexPage(true); break;
    case TPageId::TSTermijn:
    case TPageId::TSTermijnMsg: ShowInstallmentsPage(true); break;
    default: ShowProjectPage(true, false); break;
  }
  UpdateWindowState();
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
  for (TWindowPage* page : pages_) page->LoadFromDocument();
  Q_EMIT documentLoaded();
  UpdateWindowState();
}

void TFrmMain::ClearGridStates() { history_->Current().Ui = project::TUiState{}; }

void TFrmMain::RefreshLogo() { pages_[0]->LoadFromDocument(); }

void TFrmMain::ReloadPeriods() {
  if (ActivePage() == TPageId::TSIndex) pages_[1]->Activate();
}

}  // namespace pc::gui
