#include "gui/common/send_mail.h"

namespace pc::gui {

int SendMail(TWindowServices& window, const std::string& subject, const std::string& body,
             const std::string& attachment, const std::string& recipient) {
  platform::TMailMessage message;
  message.Subject = subject;
  message.Body = body;
  message.Recipient = recipient;
  if (!attachment.empty()) message.Attachments.push_back(attachment);
  int code = 0;
  std::string why;
  switch (window.Mailer().Send(message)) {
    case platform::TMailResult::Sent: code = 0; break;
    case platform::TMailResult::Cancelled: code = 1; break;
    case platform::TMailResult::NoMailProgram:
      code = -1;
      why = "Er is geen e-mailprogramma gevonden (xdg-email).";
      break;
    case platform::TMailResult::Failed:
      code = 2;
      why = "Het e-mailprogramma meldde een fout.";
      break;
  }
  if (code == -1 || code >= 2)
    window.Messages().ShowMessage("Fout bij versturen van email (" + std::to_string(code) + "). " + why);
  return code;
}

}  // namespace pc::gui
