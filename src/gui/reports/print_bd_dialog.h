// TPrintBD: which components the installment report covers and whether a
// summary page follows.
#pragma once

#include <QDialog>
#include <memory>
#include <vector>

#include "reports/report_feeds.h"

namespace Ui {
class TPrintBD;
}

namespace pc::gui {

class TPrintBD : public QDialog {
  Q_OBJECT
 public:
  explicit TPrintBD(QWidget* parent = nullptr);
  ~TPrintBD() override;

  // One entry per component in position order; only enabled entries can be
  // checked. `firstSelected` is the entry made current (0-based).
  void SetChoices(const std::vector<reports::TComponentChoice>& choices, int firstSelected);
  // What the user chose: the positions (1-based) of the checked entries.
  std::vector<int> CheckedPositions() const;
  bool WithOverview() const;

  // "Alle" and "Geen".
  void CheckAll(bool checked);
  bool CanContinue() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void UpdateContinue();

  std::unique_ptr<Ui::TPrintBD> ui_;
  int firstSelected_ = 0;
};

}  // namespace pc::gui
