// Sending the project by e-mail (actSendPrj): through a recording mail
// program, and end to end through a stand-in xdg-email on PATH.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <cstdlib>

#include "gui/common/qt_text.h"
#include "project_window.h"

namespace pc::guitest {
namespace {

TEST(SendProject, TheSavedFileIsAttachedUnderItsSubject) {
  TTestHome home;
  const std::string kvp = home.CopyExample("worked-example.kvp");
  home.CopyExample("worked-example.kvi");
  TProjectWindow w({{kvp}});
  w.ShowActive();
  w.Trigger("actSendPrj");
  ASSERT_EQ(w.mailer.Sent.size(), 1u);
  EXPECT_EQ(w.mailer.Sent[0].Subject, "Project bestand");
  EXPECT_EQ(w.mailer.Sent[0].Body, "Bijdeze het projectbestand");
  EXPECT_EQ(w.mailer.Sent[0].Recipient, "");
  EXPECT_EQ(w.mailer.Sent[0].Attachments, std::vector<std::string>{kvp});
  EXPECT_TRUE(w.messages.Calls().empty());
  w.CloseWithoutSaving();
}

TEST(SendProject, ChangesAreSavedFirstOrNothingIsSent) {
  TTestHome home;
  const std::string kvp = home.CopyExample("worked-example.kvp");
  home.CopyExample("worked-example.kvi");
  TProjectWindow w({{kvp}});
  w.ShowActive();
  w.Window().History().BeginStep(true);
  w.Document().ProjectName = "Gewijzigd";

  w.messages.QueueDialogAnswer(TDialogAnswer::daNee);
  w.Trigger("actSendPrj");
  EXPECT_TRUE(w.mailer.Sent.empty());
  ASSERT_EQ(w.messages.Calls().size(), 1u);
  EXPECT_EQ(w.messages.Calls()[0].Mode, TDialogMode::dmQuestion);
  EXPECT_EQ(w.messages.Calls()[0].Text1, "Om het project te versturen moet u het eerst opslaan, wilt u dit nu doen?");

  w.messages.QueueDialogAnswer(TDialogAnswer::daJa);
  w.Trigger("actSendPrj");
  ASSERT_EQ(w.mailer.Sent.size(), 1u);
  EXPECT_FALSE(w.Window().History().IsModified());
  project::TProjectData saved;
  ASSERT_TRUE(saved.OpenProjectFile(kvp));
  EXPECT_EQ(saved.ProjectName, "Gewijzigd");
  w.CloseWithoutSaving();
}

TEST(SendProject, ANeverSavedProjectIsNotSentWithoutItsFile) {
  TTestHome home;
  TProjectWindow w;
  w.ShowActive();
  ASSERT_EQ(w.Document().ProjectPath, "");
  // Declining to save sends nothing; saving (here cancelled in the file
  // dialog) is the only way to a mail with the file.
  w.messages.QueueDialogAnswer(TDialogAnswer::daNee);
  w.Trigger("actSendPrj");
  w.messages.QueueDialogAnswer(TDialogAnswer::daJa);
  w.files.QueueAnswer(std::nullopt);
  w.Trigger("actSendPrj");
  EXPECT_TRUE(w.mailer.Sent.empty());

  const std::string target = home.File("nieuw.kvp");
  w.messages.QueueDialogAnswer(TDialogAnswer::daJa);
  w.files.QueueAnswer(target);
  w.Trigger("actSendPrj");
  ASSERT_EQ(w.mailer.Sent.size(), 1u);
  EXPECT_EQ(w.mailer.Sent[0].Attachments, std::vector<std::string>{target});
  w.CloseWithoutSaving();
}

// A stand-in xdg-email that writes its arguments, one a line, to a file.
class StandInMailProgram {
 public:
  explicit StandInMailProgram(const TTestHome& home, int exitCode)
      : folder_(gui::PathToQt(home.File("bin"))), record_(home.File("xdg-email-args.txt")) {
    QDir().mkpath(folder_);
    QFile script(folder_ + QStringLiteral("/xdg-email"));
    EXPECT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(QStringLiteral("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '%1'\nexit %2\n")
                     .arg(gui::PathToQt(record_))
                     .arg(exitCode)
                     .toUtf8());
    script.close();
    script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const char* path = std::getenv("PATH");
    oldPath_ = path ? path : "";
    setenv("PATH", (gui::PathFromQt(folder_) + ":" + oldPath_).c_str(), 1);
  }
  ~StandInMailProgram() { setenv("PATH", oldPath_.c_str(), 1); }
  QStringList Arguments() const {
    QFile f(gui::PathToQt(record_));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  }

 private:
  QString folder_;
  std::string record_;
  std::string oldPath_;
};

TEST(SendProject, EndToEndThroughXdgEmail) {
  TTestHome home;
  const std::string kvp = home.CopyExample("worked-example.kvp");
  home.CopyExample("worked-example.kvi");
  StandInMailProgram xdgEmail(home, 0);
  TProjectWindow w({.Arguments = {kvp}, .RealMailer = true});
  w.ShowActive();
  w.Trigger("actSendPrj");
  EXPECT_EQ(xdgEmail.Arguments(),
            (QStringList{QStringLiteral("--utf8"), QStringLiteral("--subject"), QStringLiteral("Project bestand"),
                         QStringLiteral("--body"), QStringLiteral("Bijdeze het projectbestand"),
                         QStringLiteral("--attach"), gui::PathToQt(kvp)}));
  EXPECT_TRUE(w.messages.Calls().empty());
  w.CloseWithoutSaving();
}

TEST(SendProject, AMissingOrFailingMailProgramIsAClearMessage) {
  TTestHome home;
  const std::string kvp = home.CopyExample("worked-example.kvp");
  home.CopyExample("worked-example.kvi");
  const struct {
    const char* what;
    bool present;
    int exitCode;
    const char* message;
  } cases[] = {
      {"missing", false, 0, "Fout bij versturen van email (-1). Er is geen e-mailprogramma gevonden (xdg-email)."},
      {"no tool behind it", true, 3, "Fout bij versturen van email (-1). Er is geen e-mailprogramma gevonden (xdg-email)."},
      {"failed", true, 4, "Fout bij versturen van email (2). Het e-mailprogramma meldde een fout."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::unique_ptr<StandInMailProgram> program;
    const char* path = std::getenv("PATH");
    const std::string oldPath = path ? path : "";
    if (c.present)
      program = std::make_unique<StandInMailProgram>(home, c.exitCode);
    else
      setenv("PATH", gui::PathFromQt(home.Path()).c_str(), 1);  // no xdg-email anywhere
    TProjectWindow w({.Arguments = {kvp}, .RealMailer = true});
    w.ShowActive();
    w.Trigger("actSendPrj");
    ASSERT_EQ(w.messages.Messages().size(), 1u);
    EXPECT_EQ(w.messages.Messages()[0], c.message);
    if (!c.present) setenv("PATH", oldPath.c_str(), 1);
    w.CloseWithoutSaving();
  }
}

}  // namespace
}  // namespace pc::guitest
