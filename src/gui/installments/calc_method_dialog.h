// TfrmCalcKindSelect: the dialog in which the user picks the project's
// calculation method by clicking one of two panels. The state (selection and
// panel colours) is the core's TCalcMethodChoice; this is only its window.
#pragma once

#include <QDialog>
#include <memory>

#include "installments/calc_method.h"
#include "platform/desktop_services.h"

namespace Ui {
class TfrmCalcKindSelect;
}

namespace pc::gui {

// The base of the maker's web site; the method pages lie below it.
inline constexpr const char* kMakerSiteBaseUrl = "https://www.prijscorrectum.nl/";

class TfrmCalcKindSelect : public QDialog {
  Q_OBJECT
 public:
  TfrmCalcKindSelect(int currentMethod, platform::TShellOpen& shell, QWidget* parent = nullptr);
  ~TfrmCalcKindSelect() override;

  int Selected() const { return choice_.Selected(); }
  // The chosen method after the dialog closed: -1 when cancelled.
  int Chosen() const { return choice_.Result(result() == QDialog::Accepted); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // A click on a panel's title or description chooses that panel's method.
  void ChoosePanel(int panel);
  void SetHover(int panel);
  void PaintPanels();
  void OpenInfoPage(int method);

  std::unique_ptr<Ui::TfrmCalcKindSelect> ui_;
  TCalcMethodChoice choice_;
  platform::TShellOpen& shell_;
};

// Shows the dialog modally for a project using `currentMethod`; returns the
// chosen method (0 official, 1 simplified) or -1 when it was cancelled.
int ChooseCalculationMethod(QWidget* parent, int currentMethod, platform::TShellOpen& shell);

}  // namespace pc::gui
