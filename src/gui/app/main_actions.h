// The main window's action list: every command once, with its caption,
// shortcut and hint, and the main menu built from it. An action's object name
// is its name, so a test or a person finds it by that name.
#pragma once

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QString>

namespace pc::gui {

struct TActionSpec {
  const char* name;
  const char* caption;   // UTF-8
  const char* shortcut;  // empty for none
  const char* hint;      // UTF-8, empty for none
};

// Every action of the main window, in the order of the Part's list.
const TActionSpec* MainActionSpecs(int& count);

// The menus of the main window, with their object names.
struct TMainMenus {
  QMenu* File = nullptr;       // "MnuFile"
  QMenu* Send = nullptr;       // "MnuSend"
  QMenu* Recent = nullptr;     // "MnuRecent"
  QMenu* Edit = nullptr;       // "MnuEdit"
  QMenu* Index = nullptr;      // "MnuIndex"
  QMenu* Help = nullptr;       // "MnuHelp"
};

// Creates every action as a child of `owner` and fills `bar` with the menus.
TMainMenus CreateMainMenus(QWidget* owner, QMenuBar* bar);

// The action named `name` among the children of `owner`; null when none.
QAction* FindAction(const QObject* owner, const char* name);

}  // namespace pc::gui
