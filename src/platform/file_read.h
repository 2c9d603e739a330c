// Reading a whole file of outside input with a bound on its size, so that a
// folder, a device or an endless file gives an answer instead of an
// exception or an exhausted memory.
#pragma once

#include <cstddef>
#include <string>

namespace pc::platform {

enum class FileReadResult : int {
  Ok = 0,
  Missing = 1,     // nothing at the path
  OpenFailed = 2,  // a folder, or no rights to read it
  ReadFailed = 3,  // a read error half way
  TooLarge = 4,    // more than the limit (the rest is not read)
};

// Reads the file at `path` into `out` (emptied first). Reads at most
// `limit` + 1 bytes; a file longer than `limit` is TooLarge, with `out`
// emptied again.
FileReadResult ReadFileLimited(const std::string& path, std::size_t limit, std::string& out);

}  // namespace pc::platform
