// TFrmConfig: "Opties", the settings a user may change: automatic updates,
// the connection (proxy) with a live test on a thread of its own, and the
// index folder. It writes into the settings object only on "Toepassen" and
// "Ok", and only values that can be right.
#pragma once

#include <QDialog>
#include <QTimer>
#include <memory>
#include <optional>
#include <string>

#include "gui/app/window_seams.h"
#include "gui/common/window_services.h"
#include "platform/system_proxy.h"
#include "update/main_thread_sync.h"
#include "update/proxy_check.h"

namespace Ui {
class TFrmConfig;
}

namespace pc::gui {

class TFrmeUpdateConfig;

// Where the connection test reaches the update server.
struct TConnectionTestSetup {
  const platform::SystemProxy* systemProxy = nullptr;  // the first transport's connection
  std::string baseUrl;                                 // the update server, ending in "update/"
  std::string tempFolder;                              // ends with the separator
  bool urlMonAvailable = true;
  update::TransportOptions transport;
};

class TFrmConfig final : public QDialog {
  Q_OBJECT
 public:
  // `folderDialogs` chooses the index folder; null: Qt's folder dialog.
  TFrmConfig(TWindowServices& window, TFileDialogs* folderDialogs, TConnectionTestSetup setup,
             bool openOnConnectionPage, QWidget* parent);
  ~TFrmConfig() override;

  // Writes the dialog's values into the settings; false, with a message and
  // nothing stored, when a value cannot be right.
  bool Apply();
  bool Modified() const { return modified_; }
  // The connection test's status text (what a person reads there).
  QString TestStatus() const;

  void done(int result) override;

 private:
  // The values a connection test runs with.
  struct TestValues {
    bool proxyOn = false;
    std::string host;
    std::int32_t port = 0;
    std::uint8_t kind = 0;
    bool logon = false;
    std::string user;
    std::string password;
    bool operator==(const TestValues&) const = default;
  };

  void Load();
  void UpdateEnabling();
  void Changed();
  void RestartTest(int milliseconds);
  void RunTest();
  void ShowTestState();
  void ClearTestDisplay();
  void TakeSystemProxy();
  void ChooseIndexFolder();
  TestValues CurrentTestValues() const;
  void StopTestThread();

  std::unique_ptr<Ui::TFrmConfig> ui_;
  TWindowServices& window_;
  TFileDialogs* folderDialogs_;
  TConnectionTestSetup setup_;
  TFrmeUpdateConfig* updateFrame_ = nullptr;
  bool modified_ = false;
  bool closing_ = false;
  QTimer tmrProxyCheck_;
  update::SyncQueue sync_;
  std::unique_ptr<update::TProxyCheck> check_;
  std::optional<TestValues> tested_;  // the values of the running or last test
};

// Opens the options dialog window-modal over `parent` without blocking and
// returns it; it deletes itself when closed.
TFrmConfig* OpenOptions(TWindowServices& window, TFileDialogs* folderDialogs, TConnectionTestSetup setup,
                        bool openOnConnectionPage, QWidget* parent);

}  // namespace pc::gui
