// TKlDialog1: the small question dialog with up to three buttons behind the
// Show message and Ask routines. Pressing button k ends it with result k;
// Escape or the close box with 0. The core's AskLayout places the buttons.
#pragma once

#include <QDialog>
#include <QPushButton>
#include <memory>
#include <string>

namespace Ui {
class TKlDialog1;
}

namespace pc::gui {

class TKlDialog1 : public QDialog {
  Q_OBJECT
 public:
  // Texts are Windows-1252; caption2/caption3 show their button only when
  // not empty; `focusButton` (1..3) has the focus first.
  TKlDialog1(QWidget* owner, const std::string& title, const std::string& text, const std::string& caption1,
             const std::string& caption2, const std::string& caption3, int width, int focusButton);
  ~TKlDialog1() override;

  // Button1..Button3 for k = 1..3.
  QPushButton* Button(int k) const;

 private:
  std::unique_ptr<Ui::TKlDialog1> ui_;
};

// Shows the dialog modally; the number of the button pressed, 0 for none.
int Ask(QWidget* owner, const std::string& title, const std::string& text, const std::string& caption1,
        const std::string& caption2, const std::string& caption3, int width, int focusButton);
// `text` under the application title with one "&OK" button, as wide as the
// text needs (at least 268 pixels).
void ShowMessage(QWidget* owner, const std::string& text);
// The width ShowMessage gives its dialog for `text` in `owner`'s font.
int ShowMessageDialogWidth(const QWidget* owner, const std::string& text);

}  // namespace pc::gui
