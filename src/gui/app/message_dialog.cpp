#include "gui/app/message_dialog.h"

#include "gui/common/frm_dlg.h"
#include "gui/common/kl_dialog.h"

namespace pc::gui {

TDialogAnswer TQtMessages::ExecuteDialog(TDialogMode mode, const std::string& text1,
                                         const std::string& text2) {
  return gui::ExecuteDialog(parent_, mode, text1, text2);
}

int TQtMessages::Ask(const std::string& title, const std::string& text, const std::string& caption1,
                     const std::string& caption2, const std::string& caption3, int width,
                     int focusButton) {
  return gui::Ask(parent_, title, text, caption1, caption2, caption3, width, focusButton);
}

void TQtMessages::ShowMessage(const std::string& text) { gui::ShowMessage(parent_, text); }

}  // namespace pc::gui
