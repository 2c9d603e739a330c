// The real main window for the project page's tests, with every seam of its
// own: scripted messages and file dialogs, scripted or real switch and
// merge dialogs, a recording mail program and "open" command. Modal dialogs
// of the page are answered by AnswerNextModal.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/recording_messages.h"
#include "gui/app/main_window.h"
#include "gui/project/project_page.h"
#include "gui/support/gui_test_support.h"
#include "gui/support/scripted_file_dialogs.h"
#include "platform/desktop_services.h"
#include "project/merge_questions.h"

namespace pc::guitest {

struct TProjectWindowOptions {
  std::vector<std::string> Arguments;
  bool RealMergeDialogs = false;  // the window's own switch and merge dialogs
  bool RealMailer = false;        // xdg-email from PATH
};

struct TProjectWindow {
  explicit TProjectWindow(TProjectWindowOptions options = {});
  gui::TFrmMain& Window() { return *window; }
  gui::TProjectPage& Page();
  project::TProjectData& Document() { return window->History().Current(); }
  // A named child of the window; fails the test when missing.
  template <class T>
  T* Find(const char* name) {
    T* child = window->findChild<T*>(QString::fromLatin1(name));
    if (!child) ADD_FAILURE() << "no control " << name;
    return child;
  }
  void Trigger(const char* name);
  // Shows the window, makes it the active one and lets the deferred work run.
  void ShowActive();
  // Closes the window, answering a save question with Nee.
  void CloseWithoutSaving();

  TRecordingMessages messages;
  TScriptedFileDialogs files;
  project::TScriptedMergeQuestions questions;
  TRecordingMailer mailer;
  TRecordingShell shell;
  std::unique_ptr<gui::TFrmMain> window;
};

// Lets queued and deferred work run.
void Settle();

// Calls `answer` with the next modal dialog once it is shown (polling the
// event loop), so a test can look at it, click in it and close it.
void AnswerNextModal(std::function<void(QWidget*)> answer);

// Clicks a widget with the left mouse button in its middle.
void Click(QWidget* widget);

}  // namespace pc::guitest
