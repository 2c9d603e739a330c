// What the pages, dialogs and hosted frames may ask of the main window. The
// main window implements it; a page never reaches the window otherwise.
#pragma once

#include <functional>
#include <string>

#include "common/date_time.h"
#include "common/messages.h"
#include "platform/desktop_services.h"
#include "project/project_history.h"
#include "project/start_tiles.h"
#include "settings/kv_config.h"

namespace pc::project {
class TDocumentCommands;
}

namespace pc::gui {

// What a new-project tile starts a project with (Windows-1252 texts).
using TNewProjectTemplate = project::TNewProjectTemplate;

class TWindowServices {
 public:
  virtual ~TWindowServices() = default;

  // The project history; its Current() is the open document.
  virtual project::TProject& History() = 0;
  virtual settings::TKVConfig& Settings() = 0;
  // Questions and messages (the message dialog, or a test's script).
  virtual TMessageUi& Messages() = 0;
  virtual project::TDocumentCommands& Commands() = 0;
  // The desktop's mail program and "open" command (or a test's stand-ins).
  virtual platform::TMailer& Mailer() = 0;
  virtual platform::TShellOpen& Shell() = 0;

  // Refresh of actions, status bar and page headers after a change.
  virtual void UpdateWindowState() = 0;
  virtual void UpdateTitle() = 0;
  virtual void ShowProjectPage(bool selectNavItem, bool force) = 0;
  virtual void ShowIndexPage(bool selectNavItem) = 0;
  virtual void ShowInstallmentsPage(bool selectNavItem) = 0;
  // Shows the installments message page instead of the installments page
  // (asked by the installments page when no component can be chosen).
  virtual void ShowInstallmentsMessagePage() {}
  // Runs `task` once, from the event loop, after the current handler returns.
  virtual void RunDeferred(std::function<void()> task) = 0;
  // The grid that has the focus: 0 none, 1 the index grid, 2 the installments
  // grid. Window state, not document state: an undo step that is begun and
  // dropped never takes it back. Setting it refreshes the window's commands.
  virtual int FocusedGrid() const = 0;
  virtual void SetFocusedGrid(int grid) = 0;

  // Requests of the start tiles, carried out once the tile's click handler
  // has returned. Deferred: remembers `path` for the idle step; else opens
  // it at once, with the save question.
  virtual void RequestOpenProject(const std::string& /*path*/, bool /*deferred*/) {}
  // With a template: remembers it for the idle step; without: carries out
  // the remembered request (new project with the save question, then the
  // template's values as one undo step).
  virtual void RequestNewProject(const TNewProjectTemplate* /*newTemplate*/) {}
  // A cell editor opened (true) or closed (false): while one is open the
  // File and Help menus are off.
  virtual void SetCellEditMenus(bool /*editing*/) {}
};

}  // namespace pc::gui
