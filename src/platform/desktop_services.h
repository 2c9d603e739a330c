// The desktop's mail program and "open" command, behind interfaces: the
// program sends a project or a PDF by e-mail and opens web pages and
// downloaded files through them. The real ones run xdg-email and xdg-open
// with an argument list (never through a shell); tests put recording
// stand-ins in their place.
#pragma once

#include <string>
#include <vector>

namespace pc::platform {

struct TMailMessage {
  std::string Subject;                   // Windows-1252
  std::string Body;                      // Windows-1252
  std::string Recipient;                 // empty: the user fills it in
  std::vector<std::string> Attachments;  // file paths (bytes)
};

enum class TMailResult : int {
  Sent = 0,           // the mail program took the message
  Cancelled = 1,      // the user cancelled it
  NoMailProgram = 2,  // no mail program could be started
  Failed = 3,         // the mail program reported another failure
};

class TMailer {
 public:
  virtual ~TMailer() = default;
  virtual TMailResult Send(const TMailMessage& message) = 0;
};

class TShellOpen {
 public:
  virtual ~TShellOpen() = default;
  // Opens a URL or a file in the program the desktop chooses; false when
  // that could not be done.
  virtual bool Open(const std::string& target) = 0;
};

// The result of running a program: its exit status, or -1 when it could not
// be started (not found, not executable).
int RunProgram(const std::string& program, const std::vector<std::string>& arguments);

// xdg-email, found on PATH.
class TXdgMailer final : public TMailer {
 public:
  TMailResult Send(const TMailMessage& message) override;
};

// xdg-open, found on PATH.
class TXdgOpen final : public TShellOpen {
 public:
  bool Open(const std::string& target) override;
};

}  // namespace pc::platform
