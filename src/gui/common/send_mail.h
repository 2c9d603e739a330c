// Sending a message by e-mail through the desktop's mail program, with the
// user completing and sending it there. Failures are shown to the user here.
#pragma once

#include <string>

#include "gui/common/window_services.h"

namespace pc::gui {

// Sends a mail with `subject`, `body` (Windows-1252), an optional attachment
// path and an optional recipient. Returns 0 when the mail program took it,
// 1 when the user cancelled, -1 when no mail program could be started and 2
// for any other failure. Results from 2 on (and -1) are reported with
// "Fout bij versturen van email (<code>)." and a line saying why.
int SendMail(TWindowServices& window, const std::string& subject, const std::string& body,
             const std::string& attachment, const std::string& recipient);

}  // namespace pc::gui
