#include "project/index_location.h"

#include "common/cp1252.h"
#include "common/text_routines.h"
#include "project/file_result.h"

namespace pc::project {

bool IsPlainIndexFileName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of("\\/") == std::string_view::npos &&
         name.find('\0') == std::string_view::npos;
}

std::string SiblingIndexPath(std::string_view projectPath) {
  if (projectPath.size() <= 4) return std::string(projectPath) + ".kvi";
  return std::string(projectPath.substr(0, projectPath.size() - 4)) + ".kvi";
}

std::string ChooseIndexFile(std::string_view projectPath, std::string_view givenIndexPath,
                            std::string_view indexFileName, std::string_view centralFolder,
                            const std::function<bool(const std::string&)>& fileExists) {
  if (!givenIndexPath.empty()) return std::string(givenIndexPath);
  // The stored name is Windows-1252 text; names on disk are UTF-8.
  if (!indexFileName.empty()) return std::string(centralFolder) + Cp1252ToUtf8(indexFileName);
  const std::string sibling = SiblingIndexPath(projectPath);
  if (fileExists(sibling)) return sibling;
  const std::string local = FolderOf(projectPath) + kDefaultIndexFileName;
  if (fileExists(local)) return local;
  return std::string(centralFolder) + kDefaultIndexFileName;
}

bool SameFolder(std::string_view a, std::string_view b) {
  return !a.empty() && SameTextIgnoringCase(a, b);
}

std::string NormaliseExportPath(std::string_view path, std::string_view centralFolder) {
  std::string folder = FolderOf(path);
  if (folder.empty()) folder = std::string(centralFolder);
  if (!folder.empty() && folder.back() != '\\' && folder.back() != '/')
    folder += folder.find('\\') != std::string::npos ? '\\' : '/';
  std::string name = FileNameOf(path);
  if (name.empty()) {
    name = kDefaultIndexFileName;
  } else {
    const auto dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    name += ".kvi";
  }
  return folder + name;
}

std::string OverwriteQuestionText(std::string_view path) {
  std::string folder = FolderOf(path);
  if (!folder.empty()) folder.pop_back();
  return "Het bestand \"" + FileNameOf(path) + "\" bestaat al in de map \"" + folder + "\".";
}

std::string IndexPictureSizeMessage() {
  return "Het pictogram moet " + std::to_string(kIndexPictureSize) + " bij " +
         std::to_string(kIndexPictureSize) + " pixels zijn.";
}

}  // namespace pc::project
