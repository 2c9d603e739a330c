#include "gui/project/send_project.h"

#include "gui/common/qt_text.h"
#include "gui/common/send_mail.h"
#include "project/document_commands.h"
#include "project/start_tiles.h"

namespace pc::gui {

int SendProject(TWindowServices& window) {
  project::TProject& history = window.History();
  // A mail is only worth sending with the saved file attached.
  if (history.IsModified() || history.Current().ProjectPath.empty()) {
    if (window.Messages().ExecuteDialog(TDialogMode::dmQuestion, kSendSaveQuestion, "") != TDialogAnswer::daJa)
      return -2;
    if (!window.Commands().SaveProject(false)) return -2;
  }
  const std::string path = history.Current().ProjectPath;
  project::TFileDates dates;
  if (path.empty() || !project::ReadFileDates(path, dates)) {
    window.Messages().ShowMessage("Het projectbestand \"" + FromQt(PathToQt(path)) +
                                  "\" is niet gevonden; er is niets te versturen.");
    return -2;
  }
  return SendMail(window, kSendProjectSubject, kSendProjectBody, path, "");
}

}  // namespace pc::gui
