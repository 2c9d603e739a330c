// Where index files are looked for and how export targets are named. Paths
// may use '\' or '/' as separator; names are compared without regard to the
// case of a..z, as the file system of the users does.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace pc::project {

inline constexpr const char* kDefaultIndexFileName = "Indices.kvi";

// Which index file a project opened from `projectPath` uses; the first rule
// that applies wins:
//  1. `givenIndexPath` when not empty;
//  2. `centralFolder` + `indexFileName` (Windows-1252 text, as UTF-8 on
//     disk) when the project names one (whether or not that file exists); a name that is not plain
//     (IsPlainIndexFileName) is left to the caller and never reaches here;
//  3. the project path with its last four characters replaced by ".kvi",
//     when that file exists;
//  4. "Indices.kvi" in the project's folder, when it exists;
//  5. the default index file, `centralFolder` + "Indices.kvi".
// `centralFolder` ends with a separator.
std::string ChooseIndexFile(std::string_view projectPath, std::string_view givenIndexPath,
                            std::string_view indexFileName, std::string_view centralFolder,
                            const std::function<bool(const std::string&)>& fileExists);

// Whether a stored index file name names a file in the central index folder
// itself: not empty, no folder part ('\' or '/'), not "." or "..". Any other
// name could make a project read and write a file elsewhere.
bool IsPlainIndexFileName(std::string_view name);

// The project path with its last four characters (".kvp") replaced by
// ".kvi"; a path of four characters or fewer gives ".kvi" appended.
std::string SiblingIndexPath(std::string_view projectPath);

// Whether two folders (as FolderOf gives them) are the same after upper-casing
// a..z; two empty folders are not.
bool SameFolder(std::string_view a, std::string_view b);

// The export target as the export dialog normalises it: the folder of the
// path (the central folder when it has none) with a separator at its end,
// then the file name with everything from its last "." replaced by ".kvi",
// or "Indices.kvi" when the path names no file. "Brug" becomes
// centralFolder + "Brug.kvi"; "D:\Export\Brug.txt" becomes "D:\Export\Brug.kvi".
std::string NormaliseExportPath(std::string_view path, std::string_view centralFolder);

// The text of the overwrite question for a file: Het bestand "Brug.kvi"
// bestaat al in de map "D:\Export".
std::string OverwriteQuestionText(std::string_view path);

// Texts of the export dialog's picture handling.
inline constexpr int kIndexPictureSize = 16;
std::string IndexPictureSizeMessage();  // "Het pictogram moet 16 bij 16 pixels zijn."
inline constexpr const char* kPictureLoadFailed = "Fout bij laden bestand.";
inline constexpr const char* kPictureWriteFailed = "Fout bij schrijven van bestand.";

}  // namespace pc::project
