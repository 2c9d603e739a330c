// Runs a shell command line as a user would, for the tests of the program
// itself.
#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace pc::cli::testing {

// Runs `command` through /bin/sh, collects what it writes to standard
// output in `out`, and returns its exit status (-1 when it did not exit).
inline int RunShellCommand(const std::string& command, std::string& out) {
  out.clear();
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return -1;
  std::array<char, 4096> buffer;
  std::size_t n;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) out.append(buffer.data(), n);
  const int status = pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace pc::cli::testing
