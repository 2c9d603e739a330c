#include "gui/update/update_hosting.h"

#include <QLabel>
#include <QStatusBar>

#include "gui/app/main_window.h"
#include "gui/common/qt_text.h"
#include "gui/settings/config_form.h"
#include "gui/update/update_alert.h"
#include "gui/update/update_downloaded_form.h"
#include "gui/update/view_log_form.h"
#include "platform/environment.h"
#include "platform/folders.h"
#include "update/server_url.h"
#include "update/update_result.h"

namespace pc::gui {

TUpdateHosting::TUpdateHosting(TFrmMain& window) : QObject(&window), window_(window) {
  setObjectName(QStringLiteral("UpdateHosting"));
  const platform::Environment& env = platform::ProcessEnvironment();
  baseUrl_ = update::UpdateServerUrl(env);
  updatesFolder_ = platform::UpdatesFolder();
  tempFolder_ = platform::TempFolder(env);

  // The program's data folder may have gone since it was made at the first
  // use (cleaned up while the program ran): make it again for the log.
  platform::CreateFolderWithParents(platform::ProgramData().baseFolder);
  log_ = std::make_unique<update::TLog>(platform::LogFolder(), ".txt");
  if (!log_->onDisk())
    window_.Messages().ExecuteDialog(TDialogMode::dmMessage, std::string(update::kInMemoryWarning), {});

  // The worker's synchronised calls run from the window's event loop.
  sync_.SetOnQueued([this] {
    QMetaObject::invokeMethod(this, [this] { sync_.ProcessPending(); }, Qt::QueuedConnection);
  });
  runner_ = std::make_unique<update::UpdateRunner>([this] { return MakeContext(); });

  panel_ = window_.findChild<QLabel*>(QStringLiteral("UpdatePanel"));
  gauge_ = new QProgressBar(&window_);
  gauge_->setObjectName(QStringLiteral("UpdateGauge"));
  gauge_->setFixedWidth(100);
  gauge_->setMaximumHeight(16);
  gauge_->setTextVisible(false);
  QStatusBar* bar = window_.statusBar();
  // The panel is the status bar's first item; the gauge goes directly right of it.
  bar->insertWidget(panel_ != nullptr ? 1 : 0, gauge_);
  gauge_->hide();
  if (panel_ != nullptr) panel_->hide();

  auTimer_.setObjectName(QStringLiteral("AUTimer"));
  auTimer_.setSingleShot(true);
  auTimer_.setInterval(kAutoUpdateMilliseconds);
  connect(&auTimer_, &QTimer::timeout, this, &TUpdateHosting::AutoUpdateTimerFired);

  connect(&window_, &TFrmMain::windowShown, this, [this] { auTimer_.start(); });
  connect(&window_, &TFrmMain::windowClosing, this, [this] { StopUpdate(); });
  connect(&window_, &TFrmMain::windowDestroying, this, [this] { StopUpdate(); });

  connect(window_.Action("actUpd"), &QAction::triggered, this, &TUpdateHosting::StartUpdateRun);
  connect(window_.Action("actInstIgnoreVer"), &QAction::triggered, this, [this] {
    std::string path;
    window_.Settings().IgnoredCoreFile(path);
    if (!path.empty()) RunSetup(path);
  });
  connect(window_.Action("actLog"), &QAction::triggered, this, [this] { ShowLog(); });
  connect(window_.Action("ActOpt"), &QAction::triggered, this, [this] { ShowOptions(false); });
}

TUpdateHosting::~TUpdateHosting() { StopUpdate(); }

update::UpdateContext TUpdateHosting::MakeContext() {
  update::UpdateContext context(window_.Settings(), *log_, sync_);
  context.systemProxy = window_.Seams().SystemProxy;
  context.baseUrl = baseUrl_;
  context.updatesFolder = updatesFolder_;
  context.tempFolder = tempFolder_;
  project::TProject& history = window_.History();
  context.relink = [&history](const settings::DownloadedIndexInfoPtr& oldEntry,
                              const settings::DownloadedIndexInfoPtr& newEntry) {
    history.RelinkOnlineInfo(oldEntry, newEntry);
  };
  return context;
}

TConnectionTestSetup TUpdateHosting::ConnectionTestSetup() const {
  TConnectionTestSetup setup;
  setup.systemProxy = window_.Seams().SystemProxy;
  setup.baseUrl = baseUrl_;
  setup.tempFolder = tempFolder_;
  return setup;
}

void TUpdateHosting::StopUpdate() {
  closing_ = true;
  auTimer_.stop();
  if (runner_) runner_->StopUpdate();
}

void TUpdateHosting::StartUpdateRun() {
  if (closing_) return;
  runner_->StartUpdate(*this);
}

void TUpdateHosting::AutoUpdateTimerFired() {
  auTimer_.stop();
  const bool lastRunSucceeded = lastRunSucceeded_;
  lastRunSucceeded_ = false;
  OfferDownloadedSetup([this, lastRunSucceeded](bool started) {
    if (started || closing_) return;
    if (!lastRunSucceeded) {
      settings::TKVConfig& s = window_.Settings();
      if (!s.EnabledAsked) {
        s.ImportSystemProxy();
        s.EnabledAsked = true;
        s.Enabled = true;
      }
      if (s.Enabled) StartUpdateRun();
    }
    window_.Action("actUpd")->setEnabled(!window_.PreviewMode());
  });
}

void TUpdateHosting::OfferDownloadedSetup(std::function<void(bool started)> then) {
  std::string path;
  if (!window_.Settings().PendingCoreFile(path)) {
    then(false);
    return;
  }
  AskInstallNewVersion(window_, &window_, [this, path, then = std::move(then)](bool install) {
    window_.UpdateWindowState();  // "Laatste versie installeren" follows the answer
    then(install && RunSetup(path));
  });
}

bool TUpdateHosting::SettleUnsavedChanges() {
  project::TProject& history = window_.History();
  if (!history.IsModified()) return true;
  const project::TProjectData& doc = history.Current();
  std::string fileName = doc.ProjectPath;
  if (const std::size_t slash = fileName.find_last_of('/'); slash != std::string::npos)
    fileName.erase(0, slash + 1);
  const TDialogAnswer answer = window_.Messages().ExecuteDialog(TDialogMode::dmSaveQuery, doc.ProjectName, fileName);
  if (answer == TDialogAnswer::daJa) return window_.Commands().SaveProject(false);
  return answer == TDialogAnswer::daNee;
}

bool TUpdateHosting::RunSetup(const std::string& setupPath) {
  // The document is closed only once the set-up is really on its way: the
  // save question first, then the set-up, then the window closes.
  if (!SettleUnsavedChanges()) return false;
  if (!window_.Shell().Open(setupPath)) {
    window_.Messages().ExecuteDialog(TDialogMode::dmMessage, "Kon de setup niet starten", {});
    return false;
  }
  window_.SetClosingForSetup(true);
  window_.RunDeferred([this] {
    if (!window_.close()) window_.SetClosingForSetup(false);
  });
  return true;
}

void TUpdateHosting::ShowLog(QWidget* parent) {
  gui::ShowLog(window_, *log_, [this](QWidget* owner) { ShowOptions(true, owner); },
               parent != nullptr ? parent : &window_);
}

void TUpdateHosting::ShowOptions(bool onConnectionPage, QWidget* parent) {
  TFrmConfig* dialog = OpenOptions(window_, window_.Seams().FileDialogs, ConnectionTestSetup(), onConnectionPage,
                                   parent != nullptr ? parent : &window_);
  connect(dialog, &QDialog::accepted, this, [this] { window_.UpdateWindowState(); });
}

void TUpdateHosting::ShowAlert(const QString& message, bool failed) {
  if (alert_) alert_->close();
  alert_ = new TUpdateAlert(&window_, message, failed);
  connect(alert_.data(), &TUpdateAlert::logRequested, this, [this] { ShowLog(); });
  alert_->Popup();
}

void TUpdateHosting::OnUpdateStart() {
  gauge_->hide();
  barMaximum_ = 0;
  if (panel_ != nullptr) {
    panel_->clear();
    panel_->show();
  }
}

void TUpdateHosting::OnDownloadBegin(std::int32_t size) {
  barMaximum_ = size;
  gauge_->setRange(0, std::max<std::int32_t>(size, 1));
  gauge_->setValue(0);
  gauge_->show();
}

void TUpdateHosting::OnUpdateStatus(const std::string& text, std::int32_t position, std::int32_t /*maximum*/) {
  if (position >= 0) gauge_->setValue(std::min(position, gauge_->maximum()));
  if (panel_ != nullptr) panel_->setText(ToQt("Autoupdate voortgang: " + text + " "));
  log_->Add(update::ProgressLine(text, position, barMaximum_));
}

void TUpdateHosting::OnDownloadEnd() { gauge_->hide(); }

void TUpdateHosting::OnUpdateDone(std::int32_t code) {
  gauge_->hide();
  if (panel_ != nullptr) panel_->hide();
  if (closing_) return;
  if (code == 0) {
    lastRunSucceeded_ = true;
    auTimer_.start();
    ShowAlert(ToQt(std::string(update::kUpdateSucceededText)), false);
  } else {
    window_.Action("actUpd")->setEnabled(!window_.PreviewMode());
    ShowAlert(ToQt(std::string(update::kUpdateFailedPrefix) + update::UpdateResultText(code)), true);
  }
}

TUpdateHosting* UpdateHostingOf(const TFrmMain& window) {
  return window.findChild<TUpdateHosting*>(QStringLiteral("UpdateHosting"), Qt::FindDirectChildrenOnly);
}

void InstallUpdateHosting(TFrmMain& window) { new TUpdateHosting(window); }

}  // namespace pc::gui
