// How the result codes of reading and writing project and index files are
// told to the user: one line that names the file (without folder) and the
// code, e.g. "Brug.kvp: Niet gevonden (code 3).".
#pragma once

#include <string>
#include <string_view>

namespace pc::project {

enum class TFileOperation { Read, Write };

// Storage result code of a file of the other document kind.
inline constexpr int kWrongDocumentKind = 95;

// Whether the code counts as success: reading 0..1 and 10..94, 96.. (every
// code without a message); writing every code except 2..5.
bool FileResultSucceeded(TFileOperation operation, int code);

// The message for the code, or empty when the code has none. Reading:
// 2, 3 "Niet gevonden"; 4, 5 "Fout bij lezen"; 6..9 and 95 "Foutief
// bestandsformaat". Writing: 3..5 "Fout bij schrijven"; 2 (overwrite
// declined) has no message but fails. A path ending in a separator is
// named whole.
std::string FileResultMessage(TFileOperation operation, int code, std::string_view path);

// The file name of a path without its folder (after the last '\' or '/').
std::string FileNameOf(std::string_view path);
// The folder of a path, up to and including its last '\' or '/'; empty when
// the path has none.
std::string FolderOf(std::string_view path);

}  // namespace pc::project
