// TTermijnAddForm ("PrijsCorrectum - Termijnen Plakken"): shows pasted
// installments with their status before they are added, or that the
// clipboard held none.
#pragma once

#include <QDialog>
#include <memory>

#include "installments/termijn_paste.h"

namespace Ui {
class TTermijnAddForm;
}

namespace pc::gui {

class TTermijnAddForm : public QDialog {
  Q_OBJECT
 public:
  explicit TTermijnAddForm(QWidget* parent = nullptr);
  ~TTermijnAddForm() override;

  // Shows the candidates (page "TabRecords", with a "Var" column for a
  // variable component) or, without any, the page "TabNoRecords".
  void ShowCandidates(const TPasteRead& read, bool componentVariable);
  // Whether "&Toevoegen" can confirm: at least one candidate is accepted.
  bool CanConfirm() const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  std::unique_ptr<Ui::TTermijnAddForm> ui_;
  int accepted_ = 0;
};

}  // namespace pc::gui
