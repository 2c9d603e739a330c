// TFrmDlg: the program's own message dialog in its four modes (confirm the
// loss of index figures, ask whether to save changes, show a message, ask a
// yes/no question). The core's DialogContent says what each mode shows; the
// dialog lays it out, records the button pressed and closes.
#pragma once

#include <QDialog>
#include <QPushButton>
#include <memory>
#include <string>

#include "common/messages.h"

namespace Ui {
class TFrmDlg;
}

namespace pc::gui {

class TFrmDlg : public QDialog {
  Q_OBJECT
 public:
  // Texts are Windows-1252, as the core gives them.
  TFrmDlg(QWidget* owner, TDialogMode mode, const std::string& text1, const std::string& text2);
  ~TFrmDlg() override;

  // The button pressed; daNone while none was (or the window was closed).
  TDialogAnswer Answer() const { return answer_; }
  QPushButton* Button(TDialogAnswer answer) const;

 private:
  void ShowContent(const TDialogContent& content);
  void PlaceButtons(const TDialogContent& content);

  std::unique_ptr<Ui::TFrmDlg> ui_;
  TDialogAnswer answer_ = TDialogAnswer::daNone;
};

// Shows the dialog modally and returns its answer.
TDialogAnswer ExecuteDialog(QWidget* owner, TDialogMode mode, const std::string& text1,
                            const std::string& text2);

}  // namespace pc::gui
