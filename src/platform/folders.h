// The folders the program keeps its files in, and the few file-system calls
// the settings store and the update log need.
//
// Paths are byte strings handed to the system unchanged; folders use the
// native separator "/". Where the program's own rules put a "\" between a
// folder and a name, "/" is used.
#pragma once

#include <string>
#include <string_view>

#include "platform/environment.h"

namespace pc::platform {

inline constexpr char kPathSeparator = '/';

// The machine-wide shell folders, as the registry's "Shell Folders" key
// lists them; an empty text means the folder cannot be determined.
//  - commonDocuments: where shared documents (the index files) live:
//    $XDG_DATA_HOME, else HomeFolder/.local/share.
//  - commonAppData: where the program keeps its own data (updates, log):
//    $XDG_STATE_HOME, else HomeFolder/.local/state.
// A variable holding a relative path is ignored, as the XDG rules require.
// Neither folder is created here; no trailing separator.
struct ShellFolders {
  std::string commonDocuments;
  std::string commonAppData;
};
ShellFolders XdgShellFolders(const Environment& env);

// The user's home folder: $HOME when it is an absolute path, else the home
// folder of the password database when that is absolute, else "". Never
// the program's or the current folder. No trailing separator.
std::string HomeFolder(const Environment& env);

// The user's configuration folder: $XDG_CONFIG_HOME, else HomeFolder/.config;
// empty when neither is usable. No trailing separator.
std::string ConfigHome(const Environment& env);

// The temporary folder: $TMPDIR when it is an absolute path, else "/tmp".
// Always ends with the separator.
std::string TempFolder(const Environment& env);
std::string TempFolder();  // from the process environment

// The folder of the running program file, without trailing separator; the
// current folder "." when it cannot be determined.
std::string ProgramFolder();

// The program's data folders.
struct ProgramDataFolders {
  std::string baseFolder;     // common application data folder + "/PrijsCorrectum"
  std::string UpdatesFolder;  // baseFolder + "/Updates"
  std::string LogFolder;      // baseFolder + "/AutoUpdateLog" (a file name without extension)
};
// Computes the folders and creates baseFolder with every missing parent
// (a failure to create it is not reported: the update pass and the log find
// out for themselves). With an empty `commonAppData` the program folder
// takes the place of baseFolder.
ProgramDataFolders MakeProgramDataFolders(std::string_view commonAppData, std::string_view programFolder);
// The folders of this process, computed once, at the first call.
const ProgramDataFolders& ProgramData();
const std::string& UpdatesFolder();
const std::string& LogFolder();

// Joins folder and name with exactly one separator between them.
std::string JoinPath(std::string_view folder, std::string_view name);
// Creates the folder with every missing parent; true when it exists after.
bool CreateFolderWithParents(const std::string& path);
// True when anything exists at `path`.
bool FileExists(const std::string& path);

}  // namespace pc::platform
