// What the main window takes from outside: the settings hive, the questions
// and file dialogs a test answers with a script, and the command line. A
// null pointer means the real thing.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/messages.h"
#include "platform/desktop_services.h"
#include "platform/registry.h"
#include "platform/system_proxy.h"
#include "project/merge_questions.h"

namespace pc::gui {

// The file dialogs of the document commands. Paths are the file system's
// bytes; nothing when the user cancels.
class TFileDialogs {
 public:
  virtual ~TFileDialogs() = default;
  // `filter` is in the "Caption|*.ext|Caption|*.*" form of the core.
  virtual std::optional<std::string> OpenFileName(const std::string& initialFolder,
                                                  const std::string& filter,
                                                  const std::string& title) = 0;
  virtual std::optional<std::string> SaveFileName(const std::string& initialFolder,
                                                  const std::string& proposedName,
                                                  const std::string& defaultExtension,
                                                  const std::string& filter,
                                                  const std::string& title) = 0;
  virtual std::optional<std::string> ExistingFolder(const std::string& initialFolder,
                                                    const std::string& title) = 0;
};

struct TWindowSeams {
  platform::Registry* Registry = nullptr;            // null: the user's settings file
  const platform::SystemProxy* SystemProxy = nullptr;  // null: the environment's proxy
  TMessageUi* Messages = nullptr;                    // null: the message dialogs
  TFileDialogs* FileDialogs = nullptr;               // null: Qt's file dialogs
  project::TMergeQuestions* Questions = nullptr;     // null: the switch and merge dialogs
  platform::TMailer* Mailer = nullptr;               // null: xdg-email
  platform::TShellOpen* Shell = nullptr;             // null: xdg-open
  // The program's parameters, without the program name, as bytes.
  std::vector<std::string> Arguments;
  // Whether the About window opens as a splash at start-up.
  bool ShowSplash = true;
};

}  // namespace pc::gui
