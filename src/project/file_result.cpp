#include "project/file_result.h"

namespace pc::project {

bool FileResultSucceeded(TFileOperation operation, int code) {
  if (operation == TFileOperation::Read)
    return !((code >= 2 && code <= 9) || code == kWrongDocumentKind);
  return !(code >= 2 && code <= 5);
}

std::string FileResultMessage(TFileOperation operation, int code, std::string_view path) {
  const char* what = nullptr;
  if (operation == TFileOperation::Read) {
    if (code == 2 || code == 3)
      what = ": Niet gevonden (code ";
    else if (code == 4 || code == 5)
      what = ": Fout bij lezen (code ";
    else if ((code >= 6 && code <= 9) || code == kWrongDocumentKind)
      what = ": Foutief bestandsformaat (code ";
  } else if (code >= 3 && code <= 5) {
    what = ": Fout bij schrijven (code ";
  }
  if (what == nullptr) return {};
  // A path that names no file (it ends in a separator) is shown whole.
  const std::string name = FileNameOf(path);
  return (name.empty() ? std::string(path) : name) + what + std::to_string(code) + ").";
}

std::string FileNameOf(std::string_view path) {
  const auto cut = path.find_last_of("\\/");
  return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

std::string FolderOf(std::string_view path) {
  const auto cut = path.find_last_of("\\/");
  return cut == std::string_view::npos ? std::string() : std::string(path.substr(0, cut + 1));
}

}  // namespace pc::project
