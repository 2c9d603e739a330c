// Helpers of the window tests: a temporary home for the settings and the
// index folder, the real main window with scripted seams, screenshots.
#pragma once

#include <QAction>
#include <QString>
#include <QTemporaryDir>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "common/recording_messages.h"
#include "gui/app/main_window.h"
#include "gui/support/scripted_file_dialogs.h"
#include "project/merge_questions.h"

namespace pc::guitest {

// Saves `widget`'s picture as <screenshots>/<name>.png.
void SaveScreenshot(QWidget* widget, const QString& name);

// A fresh environment for one window: HOME and the XDG folders point into a
// temporary folder, so settings, index folder and logs are the test's own.
class TTestHome {
 public:
  TTestHome();
  ~TTestHome();
  QString Path() const { return dir_.path(); }
  // A copy of examples/<name> in the temporary folder; its path as bytes.
  std::string CopyExample(const char* name) const;
  std::string File(const char* name) const;

 private:
  QTemporaryDir dir_;
  std::vector<std::pair<std::string, std::string>> saved_;
};

// The desktop's "open" command, recorded instead of run.
class TRecordingShell final : public platform::TShellOpen {
 public:
  bool Open(const std::string& target) override {
    Opened.push_back(target);
    return true;
  }
  std::vector<std::string> Opened;
};

// The desktop's mail program, recorded instead of run: every message, and
// what each attachment held (and whether it existed) when it was sent.
class TRecordingMailer final : public platform::TMailer {
 public:
  platform::TMailResult Send(const platform::TMailMessage& message) override;
  std::vector<platform::TMailMessage> Sent;
  std::vector<std::string> AttachmentTexts;
  std::vector<bool> AttachmentExisted;
};

// The real main window with every question and dialog answered by a script.
struct TScriptedWindow {
  explicit TScriptedWindow(std::vector<std::string> arguments = {});
  gui::TFrmMain& Window() { return *window; }
  // Triggers the action named `name`; fails the test when it is missing or disabled.
  void Trigger(const char* name);
  // Closes the window as the user does; whether it closed.
  bool Close();

  TRecordingMessages messages;
  TRecordingShell shell;
  guitest::TScriptedFileDialogs files;
  project::TScriptedMergeQuestions questions;
  std::unique_ptr<gui::TFrmMain> window;
};

}  // namespace pc::guitest
