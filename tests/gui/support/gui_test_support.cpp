#include "gui/support/gui_test_support.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "gui/common/qt_text.h"

namespace pc::guitest {

void SaveScreenshot(QWidget* widget, const QString& name) {
  QDir().mkpath(QStringLiteral(PC_SCREENSHOT_DIR));
  widget->grab().save(QStringLiteral(PC_SCREENSHOT_DIR "/") + name + QStringLiteral(".png"));
}

namespace {
const char* const kHomeVariables[] = {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME"};
}

TTestHome::TTestHome() {
  for (const char* name : kHomeVariables) {
    const char* old = std::getenv(name);
    saved_.emplace_back(name, old ? old : "");
  }
  const std::string home = gui::PathFromQt(dir_.path());
  setenv("HOME", home.c_str(), 1);
  setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
  setenv("XDG_DATA_HOME", (home + "/data").c_str(), 1);
  setenv("XDG_STATE_HOME", (home + "/state").c_str(), 1);
}

TTestHome::~TTestHome() {
  for (const auto& [name, value] : saved_) {
    if (value.empty())
      unsetenv(name.c_str());
    else
      setenv(name.c_str(), value.c_str(), 1);
  }
}

std::string TTestHome::File(const char* name) const { return gui::PathFromQt(dir_.filePath(QString::fromUtf8(name))); }

std::string TTestHome::CopyExample(const char* name) const {
  const QString target = dir_.filePath(QString::fromUtf8(name));
  QFile::remove(target);
  QFile::copy(QStringLiteral(PC_EXAMPLES_DIR "/") + QString::fromUtf8(name), target);
  QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  return gui::PathFromQt(target);
}

platform::TMailResult TRecordingMailer::Send(const platform::TMailMessage& message) {
  Sent.push_back(message);
  for (const std::string& file : message.Attachments) {
    std::ifstream in(file, std::ios::binary);
    AttachmentExisted.push_back(static_cast<bool>(in));
    AttachmentTexts.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return platform::TMailResult::Sent;
}

TScriptedWindow::TScriptedWindow(std::vector<std::string> arguments) {
  gui::TWindowSeams seams;
  seams.Messages = &messages;
  seams.FileDialogs = &files;
  seams.Questions = &questions;
  seams.Shell = &shell;
  seams.Arguments = std::move(arguments);
  seams.ShowSplash = false;
  window = std::make_unique<gui::TFrmMain>(std::move(seams));
}

bool TScriptedWindow::Close() { return window->close(); }

void TScriptedWindow::Trigger(const char* name) {
  QAction* action = window->Action(name);
  ASSERT_NE(action, nullptr) << name;
  ASSERT_TRUE(action->isEnabled()) << name;
  action->trigger();
}

}  // namespace pc::guitest
