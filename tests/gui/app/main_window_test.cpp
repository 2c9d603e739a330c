// The main window as a user starts, uses and closes it: the command line,
// the document commands with their questions, the recent list, undo and
// redo, the help actions and the window's placement.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTest>

#include "gui/app/companion.h"
#include "gui/common/qt_text.h"
#include "gui/support/gui_test_support.h"

namespace pc::guitest {
namespace {

using gui::TPageId;

// A copy of the example project with its index file beside it, under
// `name`.kvp / `name`.kvi in `folder` (created) of the test home.
std::string CopyExampleAs(const TTestHome& home, const QString& folder, const QString& name) {
  const QString dir = home.Path() + QLatin1Char('/') + folder;
  QDir().mkpath(dir);
  for (const char* ext : {".kvp", ".kvi"}) {
    const QString target = dir + QLatin1Char('/') + name + QLatin1String(ext);
    QFile::copy(QStringLiteral(PC_EXAMPLES_DIR "/worked-example") + QLatin1String(ext), target);
    QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  }
  return gui::PathFromQt(dir + QLatin1Char('/') + name + QStringLiteral(".kvp"));
}

// Changes the project name as the project page does: one undo step.
void RenameProject(gui::TFrmMain& window, const std::string& name) {
  project::TProject& history = window.History();
  history.BeginStep(false);
  history.Current().ProjectName = name;
  history.CommitStep();
  window.UpdateWindowState();
}

QStringList MenuTexts(QMenu* menu) {
  QStringList texts;
  for (QAction* item : menu->actions()) texts << (item->isSeparator() ? QStringLiteral("-") : item->text());
  return texts;
}

std::string ReadFile(const std::string& path) {
  QFile file(gui::PathToQt(path));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll().toStdString();
}

// ---- start ---------------------------------------------------------------

TEST(MainWindowStart, OpensTheExampleNamedOnTheCommandLine) {
  TTestHome home;
  const std::string kvp = home.CopyExample("worked-example.kvp");
  home.CopyExample("worked-example.kvi");
  TScriptedWindow w({kvp});
  w.Window().show();
  EXPECT_EQ(w.Window().windowTitle(), QStringLiteral("PrijsCorrectum - Voorbeeldproject"));
  EXPECT_EQ(w.Window().IndexIndicatorText(), QStringLiteral("Lokale indextabel (worked-example)"));
  auto* indexLabel = w.Window().statusBar()->findChild<QLabel*>(QStringLiteral("IndexLabel"));
  ASSERT_NE(indexLabel, nullptr);
  EXPECT_TRUE(indexLabel->isVisible());
  EXPECT_TRUE(w.messages.Calls().empty());
  EXPECT_EQ(w.Window().Settings().RecentProjects, std::vector<std::string>{kvp});
  EXPECT_EQ(w.Window().ActivePage(), TPageId::TSPrj);

  auto* nav = w.Window().findChild<QListWidget*>(QStringLiteral("NavList"));
  ASSERT_NE(nav, nullptr);
  ASSERT_EQ(nav->count(), 3);
  const struct {
    int row;
    std::vector<TPageId> pages;
    const char* header;
  } steps[] = {{1, {TPageId::TSIndex}, "Bestanddelen + Indexcijfers"},
               {2, {TPageId::TSTermijn, TPageId::TSTermijnMsg}, "Termijnen"},
               {0, {TPageId::TSPrj}, "Project"}};
  auto* header = w.Window().findChild<QLabel*>(QStringLiteral("PageHeader"));
  for (const auto& step : steps) {
    QTest::mouseClick(nav->viewport(), Qt::LeftButton, {}, nav->visualItemRect(nav->item(step.row)).center());
    EXPECT_NE(std::find(step.pages.begin(), step.pages.end(), w.Window().ActivePage()), step.pages.end())
        << "row " << step.row;
    EXPECT_EQ(header->text(), QString::fromUtf8(step.header));
    // The index menu shows only with the components page.
    EXPECT_EQ(w.Window().Menus().Index->menuAction()->isVisible(), step.row == 1);
  }
  SaveScreenshot(&w.Window(), QStringLiteral("main_window_example"));
  EXPECT_TRUE(w.Close());
}

TEST(MainWindowStart, CommandLineFormsChooseWhatOpens) {
  TTestHome home;
  const std::string kvp = CopyExampleAs(home, QStringLiteral("werk"), QStringLiteral("Brug"));
  const std::string otherIndex = CopyExampleAs(home, QStringLiteral("elders"), QStringLiteral("Eigen"));
  const std::string otherKvi = otherIndex.substr(0, otherIndex.size() - 4) + ".kvi";
  const struct {
    const char* name;
    std::vector<std::string> arguments;
    std::string title;
    std::string projectPath;
    std::string indexPath;
    bool advanced;
  } cases[] = {
      {"none", {}, "PrijsCorrectum - Nieuw Project", "", "", false},
      {"advanced export only", {"/ADVINDEXEXPORT"}, "PrijsCorrectum - Nieuw Project", "", "", true},
      {"two parameters", {kvp, "INDEX"}, "PrijsCorrectum - Nieuw Project", "", "", false},
      {"one project", {kvp}, "PrijsCorrectum - Voorbeeldproject", kvp, "", false},
      {"project and index", {kvp, "index", otherKvi}, "PrijsCorrectum - Voorbeeldproject", kvp, otherKvi, false},
      {"three without INDEX", {kvp, "met", otherKvi}, "PrijsCorrectum - Nieuw Project", "", "", false},
      {"advanced with project", {"/advIndexExport", kvp}, "PrijsCorrectum - Voorbeeldproject", kvp, "", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TScriptedWindow w(c.arguments);
    EXPECT_EQ(w.Window().windowTitle().toStdString(), c.title);
    EXPECT_EQ(w.Window().History().Current().ProjectPath, c.projectPath);
    if (!c.indexPath.empty()) {
      EXPECT_EQ(w.Window().History().Current().IndexPath, c.indexPath);
    }
    EXPECT_EQ(w.Window().AdvancedIndexExport(), c.advanced);
    EXPECT_FALSE(w.Window().History().CanUndo());
    EXPECT_TRUE(w.messages.Messages().empty());
    SaveScreenshot(&w.Window(), QStringLiteral("main_window_command_line_") +
                                    QString::fromLatin1(c.name).replace(QLatin1Char(' '), QLatin1Char('_')));
    w.messages.QueueDialogAnswer(TDialogAnswer::daNee);
    EXPECT_TRUE(w.Close());
  }
}

TEST(MainWindowStart, DamagedProjectFileIsReportedAndTheWindowStaysUsable) {
  TTestHome home;
  const std::string damaged = home.File("kapot.kvp");
  QFile file(gui::PathToQt(damaged));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("Dit is geen projectbestand, maar een stuk tekst dat er zo uitziet.");
  file.close();
  TScriptedWindow w({damaged});
  w.Window().show();
  ASSERT_EQ(w.messages.Messages().size(), 1u);
  const std::string message = w.messages.Messages()[0];
  EXPECT_EQ(message.rfind("kapot.kvp: Foutief bestandsformaat (code ", 0), 0u) << message;
  EXPECT_EQ(w.Window().windowTitle(), QStringLiteral("PrijsCorrectum"));
  ASSERT_NE(w.Window().History().Current().IndexTable, nullptr);
  EXPECT_TRUE(w.Window().Settings().RecentProjects.empty());
  // Every page can be shown, and the example opens afterwards.
  w.Window().ShowIndexPage(true);
  w.Window().ShowInstallmentsPage(true);
  w.Window().ShowProjectPage(true, false);
  SaveScreenshot(&w.Window(), QStringLiteral("main_window_damaged_start"));
  const std::string kvp = CopyExampleAs(home, QStringLiteral("werk"), QStringLiteral("Brug"));
  w.files.QueueAnswer(kvp);
  w.Trigger("ActOpen");
  EXPECT_EQ(w.Window().windowTitle(), QStringLiteral("PrijsCorrectum - Voorbeeldproject"));
  EXPECT_TRUE(w.Close());
}

TEST(MainWindowStart, DefaultIndexFileThatCannotBeMadeGivesAMessageAndAnEmptyDocument) {
  TTestHome home;
  // The index folder's parent is a file, so the folder cannot be made.
  QFile blocker(home.Path() + QStringLiteral("/data"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  TScriptedWindow w;
  w.Window().show();
  EXPECT_FALSE(w.Window().StartedWithIndexFile());
  ASSERT_FALSE(w.messages.Messages().empty());
  EXPECT_NE(w.messages.Messages()[0].find("kan niet worden aangemaakt"), std::string::npos);
  const project::TProjectData& doc = w.Window().History().Current();
  ASSERT_NE(doc.IndexTable, nullptr);
  ASSERT_NE(doc.Installments, nullptr);
  EXPECT_EQ(doc.IndexTable->Count(), 0);
  w.Window().ShowIndexPage(true);
  w.Window().ShowInstallmentsPage(true);
  // A change through the history works on the empty document.
  RenameProject(w.Window(), "Zonder index");
  EXPECT_EQ(w.Window().windowTitle(), QStringLiteral("PrijsCorrectum - Zonder index"));
  w.messages.QueueDialogAnswer(TDialogAnswer::daNee);
  SaveScreenshot(&w.Window(), QStringLiteral("main_window_default_index_file_that_cannot_be_made_gives_a_message_and_an_empty_document"));
  EXPECT_TRUE(w.Close());
}

// ---- actions and menus ---------------------------------------------------

TEST(MainWindowActions, EveryActionHasItsCaptionShortcutAndHint) {
  TTestHome home;
  TScriptedWindow w;
  const struct {
    const char* name;
    const char* caption;
    const char* shortcut;
    const char* hint;
  } actions[] = {
      {"ActNew", "&Nieuw ...", "", "Begin een nieuw project."},
      {"ActOpen", "&Openen ...", "Ctrl+O", "Open een bestaand project."},
      {"ActSave", "Op&slaan", "Ctrl+S", "Sla het huidige project op."},
      {"ActSaveAs", "Opslaan &als ...", "", "Sla het huidige project op."},
      {"ActExpIndex", "&Export indexbestand", "", "Exporteer de indextabel naar een los bestand."},
      {"ActOpt", "O&pties", "", "Wijzig de applicatieopties."},
      {"ActPrintSetup", "Paginains&telling", "", "Wijzig de printerinstellingen."},
      {"ActPreview", "Afdrukvoorbeeld", "Ctrl+P", "Geef een afdrukvoorbeeld op het scherm."},
      {"ActPrint", "Af&drukken", "", ""},
      {"ActExit", "Afsl&uiten", "", "Beëindig de applicatie."},
      {"ActCut", "K&nippen", "Ctrl+X", ""},
      {"actCopy", "&Kopiëren", "Ctrl+C", ""},
      {"actPaste", "&Plakken", "Ctrl+V", ""},
      {"actUndo", "Ongedaan maken", "Ctrl+Z", ""},
      {"actRedo", "Opnieuw", "Ctrl+R", ""},
      {"actOnlineHelp", "&On-line ondersteuning", "", "Bezoek de online help via het web."},
      {"actOnlineTip", "&Tip aandragen", "", "Geef een tip door via het web."},
      {"actUpd", "&Update", "F9", "Controleer of er een nieuwe versie is van PrijsCorrectum."},
      {"actInstIgnoreVer", "Laatste versie installeren", "", ""},
      {"actInfo", "&Info", "", "Informatie over PrijsCorrectum."},
      {"actLog", "Logboek", "", ""},
      {"actClearRecent", "&Leeg lijst", "", ""},
      {"actSendPrj", "PrijsCorrectum projectbestand", "", ""},
      {"actSendPDF", "PDF Bestand", "", ""},
  };
  for (const auto& a : actions) {
    QAction* action = w.Window().Action(a.name);
    ASSERT_NE(action, nullptr) << a.name;
    EXPECT_EQ(action->text(), QString::fromUtf8(a.caption)) << a.name;
    EXPECT_EQ(action->shortcut(), QKeySequence(QString::fromLatin1(a.shortcut))) << a.name;
    EXPECT_EQ(action->statusTip(), QString::fromUtf8(a.hint)) << a.name;
  }
  QStringList top;
  for (QAction* menu : w.Window().menuBar()->actions()) top << menu->text();
  EXPECT_EQ(top, (QStringList{QStringLiteral("&Bestand"), QStringLiteral("Be&werken"), QStringLiteral("&Indexen"),
                              QStringLiteral("&Help")}));
  EXPECT_EQ(MenuTexts(w.Window().Menus().File),
            (QStringList{QStringLiteral("&Nieuw ..."), QStringLiteral("&Openen ..."), QStringLiteral("Op&slaan"),
                         QStringLiteral("Opslaan &als ..."), QStringLiteral("Verzenden"),
                         QStringLiteral("&Recent geopend"), QStringLiteral("-"), QStringLiteral("O&pties"),
                         QStringLiteral("-"), QStringLiteral("Paginains&telling"), QStringLiteral("Afdrukvoorbeeld"),
                         QStringLiteral("Af&drukken"), QStringLiteral("-"), QStringLiteral("Afsl&uiten")}));
  EXPECT_EQ(MenuTexts(w.Window().Menus().Edit),
            (QStringList{QStringLiteral("Ongedaan maken"), QStringLiteral("Opnieuw"), QStringLiteral("-"),
                         QStringLiteral("K&nippen"), QString::fromUtf8("&Kopiëren"), QStringLiteral("&Plakken")}));
  EXPECT_EQ(MenuTexts(w.Window().Menus().Help),
            (QStringList{QStringLiteral("&On-line ondersteuning"), QStringLiteral("&Tip aandragen"),
                         QStringLiteral("&Update"), QStringLiteral("Laatste versie installeren"),
                         QStringLiteral("&Info"), QStringLiteral("Logboek")}));
  EXPECT_FALSE(w.Window().Action("actInstIgnoreVer")->isVisible());
  SaveScreenshot(&w.Window(), QStringLiteral("main_window_every_action_has_its_caption_shortcut_and_hint"));
  w.messages.QueueDialogAnswer(TDialogAnswer::daNee);
  w.Close();
}

TEST(MainWindowActions, HelpAndTipOpenTheWebSiteAndInfoShowsTheAboutWindow) {
  TTestHome home;
  TScriptedWindow w;
  w.Window().show();
  w.Trigger("actOnlineHelp");
  w.Trigger("actOnlineTip");
  ASSERT_EQ(w.shell.Opened.size(), 2u);
  EXPECT_EQ(w.shell.Opened[0], "https://www.prijscorrectum.nl/help");
  EXPECT_EQ(w.shell.Opened[1], "https://www.prijscorrectum.nl/tip");
  // The About window is modal; it is closed by Escape once it shows.
  bool seen = false;
  QTimer::singleShot(0, [&] {
    QWidget* about = QApplication::activeModalWidget();
    seen = about && about->objectName() == QStringLiteral("TInfoForm");
    if (about) QTest::keyClick(about, Qt::Key_Escape);
  });
  w.Trigger("actInfo");
  EXPECT_TRUE(seen);
  SaveScreenshot(&w.Window(), QStringLiteral("main_window_help_and_tip_open_the_web_site_and_info_shows_the_about_window"));
  w.messages.QueueDialogAnswer(TDialogAnswer::daNee);
  w.Close();
}

TEST(MainWindowActions, PrintAndExportFollowWhatTheDocumentHolds) {
  TTestHome home;
  const std::string kvp = CopyExampleAs(home, QStringLiteral("werk"), QStringLiteral("Brug"));
  TScriptedWindow w({kvp});
  w.Window().ShowIndexPage(true);
  for (const char* name : {"ActExpIndex", "ActPrint", "ActPreview"})
    EXPECT_TRUE(w.Window().Action(name)->isEnabled()) << name;
  // A new project on the empty default index file has no components and
  // no installments: nothing to print or export.
  w.Window().Commands().NewProject(false);
  w.Window().ShowIndexPage(true);
  for (const char* name : {"ActExpIndex", "ActPrint", "ActPreview"})
    EXPECT_FALSE(w.Window().Action(name)->isEnabled()) << name;
  w.Window().ShowProjectPage(true, false);
  EXPECT_FALSE(w.Window().Action("ActPrint")->isEnabled());
  // In preview mode the document commands are off.
  w.Window().SetPreviewMode(true);
  for (const char* name : {"ActNew", "ActOpen", "ActSave", "actClearRecent"})
    EXPECT_FALSE(w.Window().Action(name)->isEnabled()) << name;
  EXPECT_TRUE(w.Window().Action("ActExit")->isEnabled());
  w.Window().SetPreviewMode(false);
  EXPECT_TRUE(w.Window().Action("ActOpen")->isEnabled());
  SaveScreenshot(&w.Window(), QStringLiteral("main_window_print_and_export_follow_what_the_document_holds"));
  w.messages.QueueDialogAnswer(TDialogAnswer::daNee);
  w.Close();
}

TEST(MainWindowActions, CellEditorSwitchesFileAndHelpMenusOff) {
  TTestHome home;
  TScriptedWindow w;
  gui::TWindowServices& services = w.Window();
  services.SetCellEditMenus(true);
  for (QMenu* menu : {w.Window().Menus().File, w.Window().Menus().Help})
    for (QAction* item : menu->actions()) EXPECT_FALSE(item->isEnabled()) << item->text().toStdString();
  EXPECT_TRUE(w.Window().Action("actUndo")->isVisible());
  services.SetCellEditMenus(false);
  w.Window().UpdateWindowState();
  EXPECT_TRUE(w.Window().Action("ActOpen")->isEnabled());
  EXPECT_TRUE(w.Window().Action("actInfo")->isEnabled());
  SaveScreenshot(&w.Window(), QStringLiteral("main_window_cell_editor_switches_file_and_help_menus_off"));
  w.messages.QueueDialogAnswer(TDialogAnswer::daNee);
  w.Close();
}

// ---- document commands ---------------------------------------------------

TEST(MainWindowDocument, OpenSaveAndSaveAsWriteWhatTheCompanionReadsBack) {
  TTestHome home;
  const std::string kvp = CopyExampleAs(home, QStringLiteral("werk"), QStringLiteral("Brug"));
  TScriptedWindow w;
  w.Window().ShowIndexPage(true);
  w.files.QueueAnswer(kvp);
  w.Trigger("ActOpen");
  EXPECT_EQ(w.files.Titles.back(), "Project openen");
  EXPECT_EQ(w.Window().ActivePage(), TPageId::TSPrj) << "an opened project starts on its properties";
  EXPECT_EQ(w.Window().findChild<QListWidget*>(QStringLiteral("NavList"))->currentRow(), 0);
  EXPECT_EQ(w.Window().windowTitle(), QStringLiteral("PrijsCorrectum - Voorbeeldproject"));
  EXPECT_EQ(w.Window().Settings().filePath, gui::PathFromQt(home.Path() + QStringLiteral("/werk/")));

  RenameProject(w.Window(), "Brug over de Maas");
  EXPECT_TRUE(w.Window().History().IsModified());
  w.Trigger("ActSave");
  EXPECT_FALSE(w.Window().History().IsModified());
  EXPECT_FALSE(w.Window().History().CanUndo());
  int status = -1;
  std::string out = CompanionCalc(kvp, &status);
  EXPECT_EQ(status, 0) << out;
  EXPECT_NE(out.find("Projectnaam:        Brug over de Maas"), std::string::npos) << out;
  EXPECT_NE(out.find("100,45"), std::string::npos) << out;

  // Save as into a folder without an index file: no question.
  QDir().mkpath(home.Path() + QStringLiteral("/kopie"));
  const std::string copy = gui::PathFromQt(home.Path() + QStringLiteral("/kopie/Brug 2.kvp"));
  w.files.QueueAnswer(copy);
  w.messages.ClearCalls();
  w.Trigger("ActSaveAs");
  EXPECT_EQ(w.files.Titles.back(), "Project opslaan");
  EXPECT_EQ(w.files.ProposedNames.back(), "Brug");
  EXPECT_TRUE(w.messages.Calls().empty());
  EXPECT_EQ(w.Window().History().Current().ProjectPath, copy);
  out = CompanionCalc(copy, &status);
  EXPECT_EQ(status, 0) << out;
  EXPECT_NE(out.find("Brug over de Maas"), std::string::npos) << out;

  // Save as beside an index file of the same name: the switch question.
  const std::string beside = CopyExampleAs(home, QStringLiteral("naast"), QStringLiteral("Sluis"));
  QFile::remove(gui::PathToQt(beside));
  w.files.QueueAnswer(beside);
  w.messages.QueueDialogAnswer(TDialogAnswer::daJa);
  w.Trigger("ActSaveAs");
  ASSERT_EQ(w.messages.Calls().size(), 1u);
  EXPECT_EQ(w.messages.Calls()[0].Mode, TDialogMode::dmQuestion);
  EXPECT_EQ(w.messages.Calls()[0].Text1, "Wilt u overschakelen naar het aanwezige indexbestand in deze map?");
  EXPECT_EQ(w.Window().History().Current().IndexPath, beside.substr(0, beside.size() - 4) + ".kvi");
  EXPECT_EQ(w.Window().IndexIndicatorText(), QStringLiteral("Lokale indextabel (Sluis)"));
  SaveScreenshot(&w.Window(), QStringLiteral("main_window_open_save_and_save_as_write_what_the_companion_reads_back"));
  w.Close();
}

TEST(MainWindowDocument, IndexExportWritesIndicesKviIntoTheChosenFolder) {
  TTestHome home;
  const std::string kvp = CopyExampleAs(home, QStringLiteral("werk"), QStringLiteral("Brug"));
  TScriptedWindow w({kvp});
  w.Trigger("ActExpIndex");  // the folder dialog is cancelled
  const QString folder = home.Path() + QStringLiteral("/export");
  QDir().mkpath(folder);
  EXPECT_FALSE(QFile::exists(folder + QStringLiteral("/Indices.kvi")));
  w.files.QueueAnswer(gui::PathFromQt(folder));
  w.Trigger("ActExpIndex");
  EXPECT_TRUE(QFile::exists(folder + QStringLiteral("/Indices.kvi")));
  EXPECT_TRUE(w.messages.Messages().empty());
  SaveScreenshot(&w.Window(), QStringLiteral("main_window_index_export_writes_indices_kvi_into_the_chosen_folder"));
  w.Close();
}

TEST(MainWindowDocument, SaveOfANeverSavedProjectProposesItsNameAndACancelKeepsIt) {
  TTestHome home;
  TScriptedWindow w;
  RenameProject(w.Window(), "A/B.C?");
  w.Trigger("ActSave");  // the dialog is cancelled: the script is empty
  EXPECT_EQ(w.files.ProposedNames.back(), "A_B_C_");
  EXPECT_TRUE(w.Window().History().IsModified());
  EXPECT_TRUE(w.Window().History().Current().ProjectPath.empty());
  SaveScreenshot(&w.Window(), QStringLiteral("main_window_save_of_a_never_saved_project_proposes_its_name_and_a_cancel_keeps_it"));
  w.messages.QueueDialogAnswer(TDialogAnswer::daNee);
  w.Close();
}

TEST(MainWindowDocument, ClosingAModifiedProjectAsksToSave) {
  TTestHome home;
  const struct {
    const char* name;
    TDialogAnswer answer;
    bool closes;
    bool saved;
  } cases[] = {
      {"Ja", TDialogAnswer::daJa, true, true},
      {"Nee", TDialogAnswer::daNee, true, false},
      {"Annuleren", TDialogAnswer::daAnnuleren, false, false},
      {"close box", TDialogAnswer::daNone, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string kvp = CopyExampleAs(home, QString::fromLatin1(c.name), QStringLiteral("Brug"));
    const std::string before = ReadFile(kvp);
    TScriptedWindow w({kvp});
    w.Window().show();
    int closing = 0;
    QObject::connect(&w.Window(), &gui::TFrmMain::windowClosing, [&] { ++closing; });
    RenameProject(w.Window(), "Gewijzigd");
    SaveScreenshot(&w.Window(), QStringLiteral("main_window_modified_before_close"));
    w.messages.QueueDialogAnswer(c.answer);
    EXPECT_EQ(w.Close(), c.closes);
    ASSERT_EQ(w.messages.Calls().size(), 1u);
    EXPECT_EQ(w.messages.Calls()[0].Mode, TDialogMode::dmSaveQuery);
    EXPECT_EQ(w.messages.Calls()[0].Text1, "Gewijzigd");
    EXPECT_EQ(w.messages.Calls()[0].Text2, "Brug.kvp");
    EXPECT_EQ(closing, c.closes ? 1 : 0);
    EXPECT_EQ(w.Window().isVisible(), !c.closes);
    EXPECT_EQ(ReadFile(kvp) != before, c.saved);
    if (c.saved) {
      EXPECT_NE(CompanionCalc(kvp).find("Projectnaam:        Gewijzigd"), std::string::npos);
    }
    if (!c.closes) {
      EXPECT_EQ(w.Window().History().Current().ProjectName, "Gewijzigd");
      EXPECT_TRUE(w.Window().History().IsModified());
      w.messages.QueueDialogAnswer(TDialogAnswer::daNee);
      EXPECT_TRUE(w.Close());
    }
  }
}

TEST(MainWindowDocument, OpenAfterAnsweringJaForANeverSavedProjectThenCancellingKeepsIt) {
  TTestHome home;
  const std::string kvp = CopyExampleAs(home, QStringLiteral("werk"), QStringLiteral("Brug"));
  TScriptedWindow w;
  RenameProject(w.Window(), "Nog niet bewaard");
  w.messages.QueueDialogAnswer(TDialogAnswer::daJa);
  w.files.QueueAnswer(std::nullopt);  // the save dialog is cancelled
  w.files.QueueAnswer(kvp);           // never asked
  w.Trigger("ActOpen");
  EXPECT_EQ(w.Window().History().Current().ProjectName, "Nog niet bewaard");
  EXPECT_EQ(w.files.Titles, std::vector<std::string>{"Project opslaan"});
  SaveScreenshot(&w.Window(), QStringLiteral("main_window_open_after_answering_ja_for_a_never_saved_project_then_cancelling_keeps_it"));
  w.messages.QueueDialogAnswer(TDialogAnswer::daNee);
  w.Close();
}

TEST(MainWindowDocument, AFailedOpenKeepsTheOpenProjectAndItsPages) {
  TTestHome home;
  const std::string kvp = CopyExampleAs(home, QStringLiteral("werk"), QStringLiteral("Brug"));
  TScriptedWindow w({kvp});
  w.Window().ShowIndexPage(true);
  w.files.QueueAnswer(home.File("bestaat-niet.kvp"));
  w.Trigger("ActOpen");
  ASSERT_EQ(w.messages.Messages().size(), 1u);
  EXPECT_EQ(w.messages.Messages()[0], "bestaat-niet.kvp: Niet gevonden (code 3).");
  EXPECT_EQ(w.Window().History().Current().ProjectPath, kvp);
  EXPECT_EQ(w.Window().windowTitle(), QStringLiteral("PrijsCorrectum - Voorbeeldproject"));
  EXPECT_EQ(w.Window().ActivePage(), TPageId::TSIndex);
  SaveScreenshot(&w.Window(), QStringLiteral("main_window_a_failed_open_keeps_the_open_project_and_its_pages"));
  w.Close();
}

TEST(MainWindowDocument, StartTileRequestsRunAfterTheClickHandler) {
  TTestHome home;
  const std::string kvp = CopyExampleAs(home, QStringLiteral("werk"), QStringLiteral("Brug"));
  TScriptedWindow w;
  gui::TWindowServices& services = w.Window();
  services.RequestOpenProject(kvp, true);
  EXPECT_EQ(w.Window().History().Current().ProjectPath, "") << "not before the handler returned";
  QTest::qWait(0);
  QCoreApplication::processEvents();
  EXPECT_EQ(w.Window().History().Current().ProjectPath, kvp);

  gui::TNewProjectTemplate newProject;
  newProject.Name = "Sluis";
  newProject.Client = "Gemeente";
  newProject.Contractor = "Aannemer";
  services.RequestNewProject(&newProject);
  EXPECT_EQ(w.Window().History().Current().ProjectName, "Voorbeeldproject");
  QCoreApplication::processEvents();
  const project::TProjectData& doc = w.Window().History().Current();
  EXPECT_EQ(doc.ProjectName, "Sluis");
  EXPECT_EQ(doc.Client, "Gemeente");
  EXPECT_EQ(doc.Contractor, "Aannemer");
  EXPECT_TRUE(doc.ProjectPath.empty());
  EXPECT_TRUE(w.Window().History().IsModified());
  EXPECT_EQ(w.Window().windowTitle(), QStringLiteral("PrijsCorrectum - Sluis"));

  // A new request on a modified project asks first; Annuleren drops it.
  w.messages.QueueDialogAnswer(TDialogAnswer::daAnnuleren);
  gui::TNewProjectTemplate other;
  other.Name = "Dijk";
  services.RequestNewProject(&other);
  QCoreApplication::processEvents();
  EXPECT_EQ(w.Window().History().Current().ProjectName, "Sluis");
  services.RequestNewProject(nullptr);  // nothing remembered any more
  EXPECT_EQ(w.Window().History().Current().ProjectName, "Sluis");
  SaveScreenshot(&w.Window(), QStringLiteral("main_window_start_tile_requests_run_after_the_click_handler"));
  w.messages.QueueDialogAnswer(TDialogAnswer::daNee);
  w.Close();
}

// ---- recent list ---------------------------------------------------------

TEST(MainWindowRecent, ElevenOpensKeepTenNewestFirstAndEntriesOpenTheirFile) {
  TTestHome home;
  TScriptedWindow w;
  QMenu* recent = w.Window().Menus().Recent;
  Q_EMIT recent->aboutToShow();
  ASSERT_EQ(recent->actions().size(), 3);
  EXPECT_EQ(recent->actions()[0]->text(), QStringLiteral("Geen items beschikbaar"));
  EXPECT_FALSE(recent->actions()[0]->isEnabled());
  EXPECT_EQ(recent->actions()[2]->objectName(), QStringLiteral("actClearRecent"));

  std::vector<std::string> paths;
  for (int i = 1; i <= 11; ++i) {
    const QString name = i == 5 ? QStringLiteral("Brug & Sluis") : QStringLiteral("Project %1").arg(i);
    paths.push_back(CopyExampleAs(home, QStringLiteral("p%1").arg(i), name));
    w.files.QueueAnswer(paths.back());
    w.Trigger("ActOpen");
    ASSERT_EQ(w.Window().History().Current().ProjectPath, paths.back());
  }
  Q_EMIT recent->aboutToShow();
  const QList<QAction*> items = recent->actions();
  ASSERT_EQ(items.size(), 12);
  for (int n = 1; n <= 10; ++n) {
    const std::string& path = paths[static_cast<std::size_t>(11 - n)];
    EXPECT_EQ(items[n - 1]->text(),
              QStringLiteral("&%1. ").arg(n) + gui::PathToQt(path).replace(QLatin1Char('&'), QStringLiteral("&&")));
    EXPECT_TRUE(items[n - 1]->isEnabled());
  }
  SaveScreenshot(recent, QStringLiteral("recent_menu"));
  // Number 7 is the fifth project, whose name holds "&".
  items[6]->trigger();
  EXPECT_EQ(w.Window().History().Current().ProjectPath, paths[4]);
  // The oldest entry is number 10 at the bottom.
  Q_EMIT recent->aboutToShow();
  recent->actions()[9]->trigger();
  EXPECT_EQ(w.Window().History().Current().ProjectPath, paths[1]);

  w.Trigger("actClearRecent");
  Q_EMIT recent->aboutToShow();
  ASSERT_EQ(recent->actions().size(), 3);
  EXPECT_EQ(recent->actions()[0]->text(), QStringLiteral("Geen items beschikbaar"));
  w.Close();
}

// ---- undo and redo -------------------------------------------------------

TEST(MainWindowUndo, UndoAndRedoRestoreTheDocumentAndThePage) {
  TTestHome home;
  const std::string kvp = CopyExampleAs(home, QStringLiteral("werk"), QStringLiteral("Brug"));
  TScriptedWindow w({kvp});
  w.Window().show();
  QApplication::setActiveWindow(&w.Window());
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w.Window()));
  EXPECT_FALSE(w.Window().Action("actUndo")->isEnabled());
  w.Window().ShowIndexPage(true);
  RenameProject(w.Window(), "Gewijzigd");
  EXPECT_TRUE(w.Window().Action("actUndo")->isEnabled());
  EXPECT_FALSE(w.Window().Action("actRedo")->isEnabled());
  w.Window().ShowProjectPage(true, false);

  QTest::keyClick(&w.Window(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(w.Window().History().Current().ProjectName, "Voorbeeldproject");
  EXPECT_FALSE(w.Window().History().IsModified());
  EXPECT_EQ(w.Window().ActivePage(), TPageId::TSIndex);
  EXPECT_EQ(w.Window().windowTitle(), QStringLiteral("PrijsCorrectum - Voorbeeldproject"));
  auto* nav = w.Window().findChild<QListWidget*>(QStringLiteral("NavList"));
  EXPECT_EQ(nav->currentRow(), 1);
  EXPECT_FALSE(w.Window().Action("actUndo")->isEnabled());
  EXPECT_TRUE(w.Window().Action("actRedo")->isEnabled());

  w.Window().ShowProjectPage(true, false);
  QTest::keyClick(&w.Window(), Qt::Key_R, Qt::ControlModifier);
  EXPECT_EQ(w.Window().History().Current().ProjectName, "Gewijzigd");
  EXPECT_TRUE(w.Window().History().IsModified());
  EXPECT_EQ(w.Window().ActivePage(), TPageId::TSIndex);
  EXPECT_EQ(w.Window().windowTitle(), QStringLiteral("PrijsCorrectum - Gewijzigd"));
  EXPECT_FALSE(w.Window().Action("actRedo")->isEnabled());
  SaveScreenshot(&w.Window(), QStringLiteral("main_window_undo_and_redo_restore_the_document_and_the_page"));
  w.messages.QueueDialogAnswer(TDialogAnswer::daNee);
  w.Close();
}

TEST(MainWindowUndo, UndoGivesTheFocusBackToTheControlTheUserWasIn) {
  TTestHome home;
  TScriptedWindow w;
  w.Window().show();
  QApplication::setActiveWindow(&w.Window());
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w.Window()));
  // Two fields on the index page stand in for the page's own controls.
  gui::TWindowPage* page = w.Window().Page(TPageId::TSIndex);
  auto* first = new QLineEdit(page);
  auto* second = new QLineEdit(page);
  second->move(0, 40);
  first->show();
  second->show();
  w.Window().ShowIndexPage(true);
  second->setFocus();
  ASSERT_TRUE(second->hasFocus());
  RenameProject(w.Window(), "Gewijzigd");
  w.Window().ShowProjectPage(true, false);
  w.Trigger("actUndo");
  EXPECT_EQ(w.Window().ActivePage(), TPageId::TSIndex);
  EXPECT_TRUE(second->hasFocus());
  SaveScreenshot(&w.Window(), QStringLiteral("main_window_undo_gives_the_focus_back_to_the_control_the_user_was_in"));
  w.messages.QueueDialogAnswer(TDialogAnswer::daNee);
  w.Close();
}

// ---- closing ---------------------------------------------------------------

TEST(MainWindowClose, ClosingToRunASetUpSkipsTheQuestionButStillStopsTheWorker) {
  TTestHome home;
  TScriptedWindow w;
  w.Window().show();
  RenameProject(w.Window(), "Gewijzigd");
  int closing = 0;
  QObject::connect(&w.Window(), &gui::TFrmMain::windowClosing, [&] { ++closing; });
  w.Window().SetClosingForSetup(true);
  EXPECT_TRUE(w.Close());
  EXPECT_TRUE(w.messages.Calls().empty());
  EXPECT_EQ(closing, 1);
}

TEST(MainWindowClose, TheClosingHookRunsOnceAlsoWhenTheWindowIsDestroyedUnclosed) {
  TTestHome home;
  int closing = 0;
  {
    TScriptedWindow w;
    QObject::connect(&w.Window(), &gui::TFrmMain::windowClosing, [&] { ++closing; });
  }
  EXPECT_EQ(closing, 1);
  {
    TScriptedWindow w;
    QObject::connect(&w.Window(), &gui::TFrmMain::windowClosing, [&] { ++closing; });
    w.messages.QueueDialogAnswer(TDialogAnswer::daNee);
    ASSERT_TRUE(w.Close());
  }
  EXPECT_EQ(closing, 2);
}

TEST(MainWindowClose, SettingsAreWrittenAfterTheClosingHookRan) {
  TTestHome home;
  const std::string kvp = CopyExampleAs(home, QStringLiteral("werk"), QStringLiteral("Brug"));
  {
    TScriptedWindow w({kvp});
    w.Window().show();
    // What the update hosting changes while it stops must reach the file.
    QObject::connect(&w.Window(), &gui::TFrmMain::windowClosing,
                     [&] { w.Window().Settings().LoginName = "gezet bij sluiten"; });
    ASSERT_TRUE(w.Close());
  }
  TScriptedWindow again;
  EXPECT_EQ(again.Window().Settings().LoginName, "gezet bij sluiten");
  EXPECT_EQ(again.Window().Settings().RecentProjects, std::vector<std::string>{kvp});
  again.messages.QueueDialogAnswer(TDialogAnswer::daNee);
  again.Close();
}

// ---- placement -----------------------------------------------------------

TEST(MainWindowPlacement, NormalPlacementComesBackAndMaximisedOpensAtTheDesignedSize) {
  TTestHome home;
  const QRect placed(60, 70, 900, 640);
  {
    TScriptedWindow w;
    w.Window().show();
    w.Window().setGeometry(placed);
    w.messages.QueueDialogAnswer(TDialogAnswer::daNee);
    ASSERT_TRUE(w.Close());
  }
  {
    TScriptedWindow w;
    EXPECT_EQ(w.Window().geometry(), placed);
    EXPECT_EQ(w.Window().Settings().WinState, 0);
    // A window closed maximised stores only its state.
    w.Window().Settings().WinState = 2;
    w.Window().Settings().Save();
  }
  {
    TScriptedWindow w;
    EXPECT_EQ(w.Window().size(), QSize(883, 599));
    EXPECT_FALSE(w.Window().isMaximized());
    // A placement on a screen that has gone opens at the designed size too.
    w.Window().Settings().WinState = 0;
    w.Window().Settings().Left = 40000;
    w.Window().Settings().Top = 40000;
    w.Window().Settings().Save();
  }
  {
    TScriptedWindow w;
    EXPECT_EQ(w.Window().size(), QSize(883, 599));
    EXPECT_NE(QGuiApplication::screenAt(w.Window().geometry().center()), nullptr);
  }
}

}  // namespace
}  // namespace pc::guitest
