// The real main window against the local update server: settings, index
// folder and log in a temporary home, the server named through
// PRIJSCORRECTUM_UPDATE_SERVER, questions and file dialogs scripted, mail
// recorded, and xdg-open replaced by a recording script first on PATH.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "fixture/test_servers.h"
#include "gui/app/main_window.h"
#include "gui/support/gui_test_support.h"
#include "gui/update/update_hosting.h"
#include "platform/folders.h"
#include "platform/system_proxy.h"

// Readable QStrings in test failures.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace pc::guitest {

// The top-level widget of type T that is shown; null when none.
template <typename T>
T* ShownWindow() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* t = qobject_cast<T*>(w); t != nullptr && t->isVisible()) return t;
  return nullptr;
}

// Waits (running the event loop) until `done` holds; false after `ms`.
template <typename F>
bool WaitFor(F done, int ms = 20000) {
  return QTest::qWaitFor(done, ms);
}

class UpdateWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string why;
    ASSERT_TRUE(server_.Start(&why)) << why;
    SetServer(server_.BaseUrl());
    // The program's data folder is fixed for the process at its first use;
    // it must exist for the log to go to disk.
    std::filesystem::create_directories(platform::ProgramData().baseFolder);
    oldPath_ = std::getenv("PATH") ? std::getenv("PATH") : "";
    const std::filesystem::path bin = std::filesystem::path(home_.File("bin"));
    std::filesystem::create_directories(bin);
    const std::filesystem::path script = bin / "xdg-open";
    {
      std::ofstream out(script);
      out << "#!/bin/sh\nprintf '%s\\n' \"$@\" >> '" << home_.File("xdg-open.txt") << "'\nexit $(cat '"
          << home_.File("xdg-open.status") << "' 2>/dev/null || echo 0)\n";
    }
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    setenv("PATH", (bin.string() + ":" + oldPath_).c_str(), 1);
  }
  void TearDown() override {
    window_.reset();
    setenv("PATH", oldPath_.c_str(), 1);
    unsetenv("PRIJSCORRECTUM_UPDATE_SERVER");
  }

  void SetServer(const std::string& url) { setenv("PRIJSCORRECTUM_UPDATE_SERVER", url.c_str(), 1); }
  // The exit status the xdg-open stand-in gives.
  void SetOpenStatus(int status) { std::ofstream(home_.File("xdg-open.status")) << status << "\n"; }
  // Every argument the xdg-open stand-in received, in order.
  std::vector<std::string> Opened() const {
    std::vector<std::string> lines;
    std::ifstream in(home_.File("xdg-open.txt"));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  gui::TFrmMain& MakeWindow(std::vector<std::string> arguments = {}) {
    gui::TWindowSeams seams;
    seams.Messages = &messages_;
    seams.FileDialogs = &files_;
    seams.Questions = &questions_;
    seams.Mailer = &mailer_;
    seams.SystemProxy = &systemProxy_;
    seams.Arguments = std::move(arguments);
    seams.ShowSplash = false;
    window_ = std::make_unique<gui::TFrmMain>(std::move(seams));
    return *window_;
  }
  gui::TUpdateHosting& Hosting() { return *gui::UpdateHostingOf(*window_); }
  // The whole log file as the disk holds it.
  std::string LogFileText() { return pc::testing::ReadFileBytes(Hosting().Log().FilePath()); }

  TTestHome home_;
  pc::testing::UpdateTestServer server_;
  TRecordingMessages messages_;
  TScriptedFileDialogs files_;
  project::TScriptedMergeQuestions questions_;
  TRecordingMailer mailer_;
  platform::MemorySystemProxy systemProxy_;
  std::unique_ptr<gui::TFrmMain> window_;
  std::string oldPath_;
};

inline const std::string kInfoHeader = "PrijsCorrectumAutoUpdateInfoFile\r\n";

}  // namespace pc::guitest
