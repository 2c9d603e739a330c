// The companion program run as a user runs it, to read back what the window
// wrote.
#pragma once

#include <string>

#include "cli/shell_command.h"

namespace pc::guitest {

// `path` quoted for /bin/sh.
inline std::string ShellQuoted(const std::string& path) {
  std::string quoted = "'";
  for (char c : path) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// What `prijscorrectum-cli calc <project>` prints (standard output and
// errors); its exit status in `status`.
inline std::string CompanionCalc(const std::string& project, int* status = nullptr) {
  std::string out;
  const int result =
      cli::testing::RunShellCommand(std::string(PC_CLI_PATH) + " calc " + ShellQuoted(project) + " 2>&1", out);
  if (status) *status = result;
  return out;
}

}  // namespace pc::guitest
