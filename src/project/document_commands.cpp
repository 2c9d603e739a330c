#include "project/document_commands.h"

#include "common/text_routines.h"
#include "platform/folders.h"
#include "project/file_result.h"
#include "project/index_location.h"
#include "storage/file_system.h"

namespace pc::project {

std::string ProposedProjectFileName(const std::string& projectPath,
                                    const std::string& projectName) {
  if (!projectPath.empty()) {
    const std::string name = FileNameOf(projectPath);
    return name.size() > 4 ? name.substr(0, name.size() - 4) : std::string();
  }
  std::string name = projectName;
  for (char& c : name)
    if (c == '*' || c == '.' || c == '/' || c == '?' || c == '\\') c = '_';
  return name.empty() ? std::string(kNewProjectName) : name;
}

TDocumentCommands::TDocumentCommands(TProject& history, settings::TKVConfig& settings,
                                     TMessageUi& messages, TDocumentWindow& window)
    : history_(history), settings_(settings), messages_(messages), window_(window) {}

bool TDocumentCommands::AskToSave() {
  const TProjectData& d = history_.Current();
  const TDialogAnswer answer =
      messages_.ExecuteDialog(TDialogMode::dmSaveQuery, d.ProjectName, FileNameOf(d.ProjectPath));
  if (answer == TDialogAnswer::daJa) return SaveProject(false);
  return answer == TDialogAnswer::daNee;
}

bool TDocumentCommands::CloseProject(bool ask) {
  bool result = true;
  if (ask && history_.IsModified()) result = AskToSave();
  if (result) {
    history_.Reset(true);
    window_.ClearGridStates();
  }
  window_.UpdateWindowState();
  return result;
}

bool TDocumentCommands::NewProject(bool ask) {
  bool result = false;
  if (CloseProject(ask)) {
    history_.NewDocument();
    window_.LoadPages();
    result = true;
  }
  window_.UpdateWindowState();
  return result;
}

bool TDocumentCommands::OpenProject(bool ask, const std::string& projectPath,
                                    const std::string& indexPath) {
  bool result = true;
  if (ask && history_.IsModified()) result = AskToSave();
  if (result) {
    std::string path = projectPath;
    if (path.empty()) {
      if (auto chosen =
              window_.ChooseProjectToOpen(settings_.filePath, kProjectFileFilter, kOpenProjectTitle)) {
        path = *chosen;
        settings_.filePath = FolderOf(path);
      }
    }
    if (!path.empty()) {
      // The history keeps the open document when the file cannot be read.
      result = history_.OpenDocument(path, indexPath);
      if (result) {
        window_.ClearGridStates();
        window_.LoadPages();
        window_.RefreshLogo();
        settings_.AddRecentProject(path);
      }
    } else {
      result = false;
    }
  }
  window_.ReloadPeriods();
  window_.UpdateWindowState();
  return result;
}

bool TDocumentCommands::SaveProject(bool saveAs) {
  std::string path = history_.Current().ProjectPath;
  bool result = true;
  const bool asNew = saveAs || path.empty();
  if (asNew) {
    const std::string proposed = ProposedProjectFileName(path, history_.Current().ProjectName);
    auto chosen = window_.ChooseProjectToSave(settings_.filePath, proposed, kProjectExtension,
                                              kProjectFileFilter, kSaveProjectTitle);
    if (chosen) {
      path = *chosen;
      settings_.filePath = FolderOf(path);
    } else {
      result = false;
    }
  }
  if (result) result = history_.SaveDocument(path);
  if (result && asNew) {
    const std::string folder = FolderOf(path);
    std::string found = SiblingIndexPath(path);
    if (!platform::FileExists(found)) found = folder + kDefaultIndexFileName;
    if (platform::FileExists(found) &&
        messages_.ExecuteDialog(TDialogMode::dmQuestion, kSwitchIndexQuestion, "") ==
            TDialogAnswer::daJa)
      result = OpenProject(false, path, found);
  }
  window_.UpdateWindowState();
  return result;
}

namespace {

bool IndexFileExists(const TProjectData& document, const std::string& path) {
  const TProjectServices* services = document.Services();
  storage::FileSystem& files = services && services->Files ? *services->Files : storage::DiskFileSystem();
  return files.FileExists(path);
}

// The export replaces an existing index file only when the user says so.
bool AskToReplace(TMessageUi& messages, const std::string& path) {
  const std::size_t cut = path.find_last_of("/\\");
  const std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
  const std::string folder = cut == std::string::npos ? std::string() : path.substr(0, cut);
  return messages.Ask("Bestand bestaat al",
                      "Het bestand \"" + name + "\" bestaat al in de map \"" + folder +
                          "\".\nWilt u het bestand overschrijven? Klik dan op Ja\n"
                          "Wilt u een andere bestandsnaam opgeven, klik dan op Nee",
                      kCaptionJa, kCaptionNee, "", 460, 2) == 1;
}

}  // namespace

bool TDocumentCommands::ExportIndexFile(const std::string& targetPath) {
  std::string target = targetPath;
  int kind = 0;
  bool proceed = !target.empty();
  if (!proceed && window_.AdvancedIndexExport()) {
    const auto& current = history_.Current().IndexPicture;
    std::optional<TPicture> picture;
    if (current) picture = *current;
    proceed = window_.ShowIndexExportDialog(target, kind, picture);
    history_.SetIndexPicture(picture ? &*picture : nullptr);
  } else if (!proceed) {
    if (auto folder = window_.ChooseExportFolder(); folder && !folder->empty()) {
      target = *folder;
      if (target.back() != '/' && target.back() != '\\') target += '/';
      target += kDefaultIndexFileName;
      proceed = !IndexFileExists(history_.Current(), target) || AskToReplace(messages_, target);
    }
  }
  if (!proceed) return false;
  const bool ok = history_.Current().ExportIndexFile(target, kind);
  window_.UpdateWindowState();
  return ok;
}

}  // namespace pc::project
