// The document commands of the main window without the window: start a new
// project, open one, save it under its name or a new one, discard it after
// asking whether to save, and export its index table. The window implements
// TDocumentWindow (file dialogs and page refreshes); questions go through
// the message interface.
#pragma once

#include <optional>
#include <string>

#include "common/messages.h"
#include "project/picture.h"
#include "project/project_history.h"
#include "settings/kv_config.h"

namespace pc::project {

inline constexpr const char* kProjectFileFilter =
    "PrijsCorrectum Projecten (*.kvp)|*.kvp|Alle bestanden (*.*)|*.*";
inline constexpr const char* kProjectExtension = "kvp";
inline constexpr const char* kOpenProjectTitle = "Project openen";
inline constexpr const char* kSaveProjectTitle = "Project opslaan";
inline constexpr const char* kSwitchIndexQuestion =
    "Wilt u overschakelen naar het aanwezige indexbestand in deze map?";

// What the commands need from the main window.
class TDocumentWindow {
 public:
  virtual ~TDocumentWindow() = default;
  // The open dialog; nothing when the user cancels.
  virtual std::optional<std::string> ChooseProjectToOpen(const std::string& initialFolder,
                                                         const std::string& filter,
                                                         const std::string& title) = 0;
  // The save dialog with a proposed file name; nothing when cancelled.
  virtual std::optional<std::string> ChooseProjectToSave(const std::string& initialFolder,
                                                         const std::string& proposedName,
                                                         const std::string& defaultExtension,
                                                         const std::string& filter,
                                                         const std::string& title) = 0;
  // The folder browse dialog of the plain index export; nothing when cancelled.
  virtual std::optional<std::string> ChooseExportFolder() = 0;
  // The index export dialog (advanced mode): path and kind in and out, the
  // picture in and out (null for none). False when the user closed it.
  virtual bool ShowIndexExportDialog(std::string& path, int& exportKind,
                                     std::optional<TPicture>& picture) = 0;
  // Whether the window runs in the advanced index export mode.
  virtual bool AdvancedIndexExport() const = 0;
  // Reload every page from the document; refresh the window's state; forget
  // the grid cursors; refresh the logo; reload the periods box when the
  // components page is active.
  virtual void LoadPages() = 0;
  virtual void UpdateWindowState() = 0;
  virtual void ClearGridStates() = 0;
  virtual void RefreshLogo() = 0;
  virtual void ReloadPeriods() = 0;
};

// The file name a save-as proposes: the current file's name without folder
// and extension; else the project name with "*", ".", "/", "?" and "\"
// replaced by "_"; else "Nieuw Project".
std::string ProposedProjectFileName(const std::string& projectPath,
                                    const std::string& projectName);

class TDocumentCommands {
 public:
  TDocumentCommands(TProject& history, settings::TKVConfig& settings, TMessageUi& messages,
                    TDocumentWindow& window);

  // Each returns whether it did its work; a cancelled question or dialog
  // gives false and changes nothing.
  bool CloseProject(bool ask);
  bool NewProject(bool ask);
  bool OpenProject(bool ask, const std::string& projectPath, const std::string& indexPath);
  bool SaveProject(bool saveAs);
  bool ExportIndexFile(const std::string& targetPath);

 private:
  // The save question for a modified document: true to go on.
  bool AskToSave();

  TProject& history_;
  settings::TKVConfig& settings_;
  TMessageUi& messages_;
  TDocumentWindow& window_;
};

}  // namespace pc::project
