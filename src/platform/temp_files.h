// The temporary files that a safe save writes beside the file it replaces.
//
// Each has a short name of its own in the target's folder
// (".~pc<process>-<number>.tmp"), so that a target whose name is as long as
// the file system allows can still be saved. While it is written it is
// locked, and it is removed when the process is ended by SIGTERM, SIGINT or
// SIGHUP. One left behind by a process that was killed outright is unlocked
// and is removed by the next save in the same folder.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pc::platform {

struct TemporaryFile {
  int fd = -1;       // open for writing, locked
  std::string path;  // in the folder of the target
};

// Creates a new, empty temporary file beside `target` with the permission
// bits `mode`. First removes stale temporary files of ours from that folder.
// nullopt when it cannot be created (errno tells why).
std::optional<TemporaryFile> CreateTemporaryBeside(const std::string& target, unsigned mode);

// The temporary file has been renamed into place or removed: it is no
// longer removed on termination. Does not close the descriptor.
void ForgetTemporaryFile(const std::string& path);

// Whether `name` (without folder) is the name of one of our temporary files.
bool IsTemporaryFileName(std::string_view name);

// Removes the temporary files of ours in `folder` that no process holds
// and that were last written at least `min_age_seconds` ago; returns how
// many were removed.
int RemoveStaleTemporaryFiles(const std::string& folder, int min_age_seconds = 60);

}  // namespace pc::platform
