// TFrmMain: the program's one main window around one project document. It
// owns the settings, the project history and the pages; the pages, dialogs
// and hosted frames reach it through TWindowServices.
#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QStackedWidget>
#include <QTimer>
#include <memory>
#include <optional>
#include <string>

#include "gui/app/info_form.h"
#include "gui/app/index_indicator.h"
#include "gui/app/main_actions.h"
#include "gui/app/window_seams.h"
#include "gui/common/window_page.h"
#include "gui/common/window_services.h"
#include "project/document_commands.h"
#include "project/project_history.h"
#include "settings/kv_config.h"

namespace Ui {
class TFrmMain;
}

namespace pc::gui {

// The pages of the page control, in the order of TUiState::ActivePage.
enum class TPageId : int { TSPrj = 0, TSIndex = 1, TSTermijn = 2, TSTermijnMsg = 3 };

class TFrmMain : public QMainWindow, public TWindowServices, public project::TDocumentWindow {
  Q_OBJECT
 public:
  explicit TFrmMain(TWindowSeams seams, QWidget* parent = nullptr);
  ~TFrmMain() override;

  // ---- TWindowServices ---------------------------------------------------
  project::TProject& History() override { return *history_; }
  settings::TKVConfig& Settings() override { return *settings_; }
  TMessageUi& Messages() override { return *messages_; }
  project::TDocumentCommands& Commands() override { return *commands_; }
  platform::TMailer& Mailer() override { return *seams_.Mailer; }
  platform::TShellOpen& Shell() override { return *seams_.Shell; }
  void UpdateWindowState() override;
  void UpdateTitle() override;
  void ShowProjectPage(bool selectNavItem, bool force) override;
  void ShowIndexPage(bool selectNavItem) override;
  void ShowInstallmentsPage(bool selectNavItem) override;
  void ShowInstallmentsMessagePage() override;
  void RunDeferred(std::function<void()> task) override;
  int FocusedGrid() const override { return focusedGrid_; }
  void SetFocusedGrid(int grid) override;
  void RequestOpenProject(const std::string& path, bool deferred) override;
  void RequestNewProject(const TNewProjectTemplate* newTemplate) override;
  void SetCellEditMenus(bool editing) override;

  // ---- TDocumentWindow ---------------------------------------------------
  std::optional<std::string> ChooseProjectToOpen(const std::string& initialFolder,
                                                 const std::string& filter,
                                                 const std::string& title) override;
  std::optional<std::string> ChooseProjectToSave(const std::string& initialFolder,
                                                 const std::string& proposedName,
                                                 const std::string& defaultExtension,
                                                 const std::string& filter,
                                                 const std::string& title) override;
  std::optional<std::string> ChooseExportFolder() override;
  bool ShowIndexExportDialog(std::string& path, int& exportKind,
                             std::optional<project::TPicture>& picture) override;
  bool AdvancedIndexExport() const override { return advancedIndexExport_; }
  void LoadPages() override;
  void ClearGridStates() override;
  void RefreshLogo() override;
  void ReloadPeriods() override;

  // ---- for the subsystems that plug into the window ----------------------
  TPageId ActivePage() const;
  TWindowPage* Page(TPageId id) const;
  QAction* Action(const char* name) const { return FindAction(this, name); }
  const TMainMenus& Menus() const { return menus_; }
  // The client area's stack: page 0 is the pages; a hosted preview adds its own.
  QStackedWidget* ClientStack() const;
  // While true most commands are off (a print preview is hosted).
  bool PreviewMode() const { return previewMode_; }
  void SetPreviewMode(bool on);
  // The status bar's index indicator text (what a person reads there).
  QString IndexIndicatorText() const;
  // Whether the default index file could be ensured at start-up.
  bool StartedWithIndexFile() const { return startedWithIndexFile_; }
  TWindowSeams& Seams() { return seams_; }
  // The file dialogs in use: the seams' or Qt's.
  TFileDialogs& FileDialogs() { return *fileDialogs_; }
  // The index export dialog of the advanced export; without one the export
  // is cancelled.
  using TIndexExportDialogFn =
      std::function<bool(std::string& path, int& exportKind, std::optional<project::TPicture>& picture)>;
  void SetIndexExportDialog(TIndexExportDialogFn dialog) { indexExportDialog_ = std::move(dialog); }
  // The switch and merge dialogs used when the seams name none.
  void SetDefaultMergeQuestions(std::unique_ptr<project::TMergeQuestions> questions);

  // Set when the window closes to run a downloaded set-up whose save
  // question has been settled: the close then asks nothing more.
  void SetClosingForSetup(bool on) { closingForSetup_ = on; }
  bool ClosingForSetup() const { return closingForSetup_; }

  // Puts the user back where the restored document says (after undo/redo).
  void RestoreFromHistory();
  // Enables the export and print actions for what the document holds.
  void UpdatePrintActions();
  // The About window, modal: about mode (actInfo) or splash mode (start-up).
  void ShowAboutWindow(TInfoMode mode);
  // Whether a cell editor is open (SetCellEditMenus).
  bool CellEditActive() const { return cellEditActive_; }
  // What a new-project request does with its template once the new project
  // exists; the project page puts its own in place (fields, then one undo
  // step). The default stores the template's values as one undo step.
  using TNewProjectFiller = std::function<void(const TNewProjectTemplate&)>;
  void SetNewProjectFiller(TNewProjectFiller filler) { newProjectFiller_ = std::move(filler); }

 Q_SIGNALS:
  // The window was shown for the first time / is about to close for good
  // (once per window: when it closes, else when it is destroyed) / the open
  // document was replaced. Subsystems hook their work onto these.
  void windowShown();
  void windowClosing();
  void documentLoaded();
  // UpdateWindowState has set the window's commands; subsystems adjust theirs.
  void windowStateUpdated();
  // The window is being destroyed (first step, everything still exists):
  // subsystems end their threads here when no close came before.
  void windowDestroying();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreatePages();
  void CreateStatusBar();
  void ConnectActions();
  void StartSequence();
  void ReadCommandLine();
  void ApplySavedPlacement();
  void StorePlacement();
  void RebuildRecentMenu();
  void StartWithEmptyDocument();
  void ShowStartScreen();
  void ScheduleIdle();
  void OnIdle();
  void FillNewProject(const TNewProjectTemplate& newTemplate);
  int FocusedControlNumber() const;
  QWidget* ControlByNumber(int number) const;
  project::TUiState CurrentUiState() const;
  TWindowPage* FocusedGridPage() const;

  std::unique_ptr<Ui::TFrmMain> ui_;
  TWindowSeams seams_;
  std::unique_ptr<platform::Registry> ownRegistry_;
  std::unique_ptr<platform::SystemProxy> ownProxy_;
  std::unique_ptr<TMessageUi> ownMessages_;
  std::unique_ptr<TFileDialogs> ownFileDialogs_;
  std::unique_ptr<platform::TMailer> ownMailer_;
  std::unique_ptr<platform::TShellOpen> ownShell_;
  std::unique_ptr<project::TMergeQuestions> ownQuestions_;
  TIndexExportDialogFn indexExportDialog_;
  TMessageUi* messages_ = nullptr;
  TFileDialogs* fileDialogs_ = nullptr;
  std::unique_ptr<settings::TKVConfig> settings_;
  project::TProjectServices services_;
  std::unique_ptr<project::TProject> history_;
  std::unique_ptr<project::TDocumentCommands> commands_;
  TMainMenus menus_;
  TWindowPage* pages_[4] = {};
  QLabel* indexLabel_ = nullptr;
  QLabel* indexIcon_ = nullptr;
  QLabel* updatePanel_ = nullptr;
  bool advancedIndexExport_ = false;
  bool previewMode_ = false;
  bool startedWithIndexFile_ = false;
  bool shownOnce_ = false;
  bool closingForSetup_ = false;
  int focusedGrid_ = 0;  // 0 none, 1 index grid, 2 installments grid
  TIndexPictureKey shownIndexPicture_;  // what the status bar's picture shows
  bool closed_ = false;  // windowClosing was emitted
  bool cellEditActive_ = false;
  bool idleScheduled_ = false;
  std::optional<std::string> pendingOpen_;
  std::optional<TNewProjectTemplate> pendingNew_;
  TNewProjectFiller newProjectFiller_;
  QString baseTitle_;
};

}  // namespace pc::gui
