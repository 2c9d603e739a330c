// Hosts the update runs in the main window: the update log, the
// automatic-update timer, the progress panel in the status bar, the result
// alert, the offer of a downloaded set-up, the log viewer and the options
// dialog, and the actions actUpd, actInstIgnoreVer, actLog and ActOpt.
#pragma once

#include <QObject>
#include <QPointer>
#include <QProgressBar>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "gui/update/update_alert.h"
#include "update/kv_update.h"
#include "update/main_thread_sync.h"
#include "update/update_log.h"

class QLabel;

namespace pc::gui {

class TFrmMain;
struct TConnectionTestSetup;

class TUpdateHosting final : public QObject, private update::UpdateEvents {
  Q_OBJECT
 public:
  static constexpr int kAutoUpdateMilliseconds = 2000;

  // Creates the update log and wires itself into `window` (its parent).
  explicit TUpdateHosting(TFrmMain& window);
  ~TUpdateHosting() override;

  // Starts an update pass; nothing happens while one runs.
  void StartUpdateRun();
  // Opens the set-up file and closes the window for it, after the save
  // question; the document stays as it was when the set-up cannot be
  // opened. True when the window is closing for the set-up.
  bool RunSetup(const std::string& setupPath);
  // The log viewer, over `parent` (the window when null).
  void ShowLog(QWidget* parent = nullptr);
  // The options dialog, on its connection page or on the first one.
  void ShowOptions(bool onConnectionPage, QWidget* parent = nullptr);

  const update::TLog& Log() const { return *log_; }
  bool Running() const { return runner_ && runner_->Running(); }
  // The alert on screen; null when none is shown.
  TUpdateAlert* Alert() const { return alert_.data(); }

 private:
  // UpdateEvents, delivered on the main thread.
  void OnUpdateStart() override;
  void OnUpdateStatus(const std::string& text, std::int32_t position, std::int32_t maximum) override;
  void OnUpdateDone(std::int32_t code) override;
  void OnDownloadBegin(std::int32_t size) override;
  void OnDownloadEnd() override;

  void AutoUpdateTimerFired();
  // Offers a waiting set-up; `then(started)` runs once it is settled.
  void OfferDownloadedSetup(std::function<void(bool started)> then);
  // The save question of a changed document; true to go on.
  bool SettleUnsavedChanges();
  void ShowAlert(const QString& message, bool failed);
  void StopUpdate();
  update::UpdateContext MakeContext();
  TConnectionTestSetup ConnectionTestSetup() const;

  TFrmMain& window_;
  std::string baseUrl_;
  std::string updatesFolder_;
  std::string tempFolder_;
  std::unique_ptr<update::TLog> log_;
  update::SyncQueue sync_;
  std::unique_ptr<update::UpdateRunner> runner_;
  QTimer auTimer_;
  QLabel* panel_ = nullptr;
  QProgressBar* gauge_ = nullptr;
  std::int32_t barMaximum_ = 0;
  QPointer<TUpdateAlert> alert_;
  bool lastRunSucceeded_ = false;
  bool closing_ = false;
};

// The hosting object of `window` (created by InstallUpdateHosting).
TUpdateHosting* UpdateHostingOf(const TFrmMain& window);

void InstallUpdateHosting(TFrmMain& window);

}  // namespace pc::gui
