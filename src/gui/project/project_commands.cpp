#include "gui/project/project_commands.h"

#include <QAction>

#include "gui/app/main_window.h"
#include "gui/common/link_label.h"
#include "gui/project/project_page.h"
#include "gui/project/qt_merge_questions.h"
#include "gui/project/send_project.h"

namespace pc::gui {
namespace {

// Whether start-up ended in the start screen: a new, untouched document
// (an open from the command line leaves the opened file or, when it
// failed, the history's empty document).
bool StartScreenReached(TFrmMain& window) {
  const project::TProject& history = window.History();
  const project::TProjectData& doc = history.Current();
  return window.StartedWithIndexFile() && history.UndoCount() == 1 && !doc.Modified &&
         doc.ProjectPath.empty() && doc.ProjectName == project::kNewProjectName;
}

}  // namespace

void InstallProjectCommands(TFrmMain& window) {
  auto* page = qobject_cast<TProjectPage*>(window.Page(TPageId::TSPrj));
  if (page) {
    page->SetLogoFileChooser([&window](const std::string& folder, const std::string& filter,
                                       const std::string& title) {
      return window.ChooseProjectToOpen(folder, filter, title);
    });
    // The new command shows the project page (the window), then the
    // new-project panel: the new document is started from a tile.
    QObject::connect(window.Action("ActNew"), &QAction::triggered, page,
                     [page] { page->SetProjectPanel(TProjectPanel::NewProject); });
    // The tiles' requests run through the window; a new project from a tile
    // fills its fields here.
    window.SetNewProjectFiller([page](const TNewProjectTemplate& data) { page->FillNewProject(data); });
    QObject::connect(&window, &TFrmMain::windowShown, page, [&window, page] {
      if (StartScreenReached(window)) page->ShowStartScreen();
    });
    // The method line under the installment totals chooses the method too;
    // the installments are shown again by the chosen method.
    TWindowPage* installments = window.Page(TPageId::TSTermijn);
    if (auto* link = installments->findChild<TLinkLabel*>(QStringLiteral("LCalcKind2"))) {
      QObject::connect(link, &TLinkLabel::clicked, page, [page, installments] {
        page->HandleCalcKindClick();
        installments->LoadFromDocument();
      });
    }
  }
  window.SetDefaultMergeQuestions(std::make_unique<TQtMergeQuestions>(&window));
  QObject::connect(window.Action("actSendPrj"), &QAction::triggered, &window,
                   [&window] { SendProject(window); });
}

}  // namespace pc::gui
