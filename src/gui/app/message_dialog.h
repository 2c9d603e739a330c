// The message dialogs on screen (TFrmDlg, TKlDialog1): the implementation of
// the core's message interface that the window uses when no test script
// stands in for it.
#pragma once

#include <QWidget>

#include "common/messages.h"

namespace pc::gui {

class TQtMessages final : public TMessageUi {
 public:
  explicit TQtMessages(QWidget* parent) : parent_(parent) {}
  TDialogAnswer ExecuteDialog(TDialogMode mode, const std::string& text1,
                              const std::string& text2) override;
  int Ask(const std::string& title, const std::string& text, const std::string& caption1,
          const std::string& caption2, const std::string& caption3, int width,
          int focusButton) override;
  void ShowMessage(const std::string& text) override;

 private:
  QWidget* parent_;
};

}  // namespace pc::gui
