// TBDWijzigForm: the dialog in which a component is added or changed. It
// shows and returns the seven values; the index page applies them.
#pragma once

#include <QDialog>
#include <memory>

#include "indextable/bd_record.h"

namespace Ui {
class TBDWijzigForm;
}

namespace pc::gui {

class TBDWijzigForm : public QDialog {
  Q_OBJECT
 public:
  // `adding` selects the caption; `tableKind` what may be changed; `values`
  // are shown (the start date must already be set).
  TBDWijzigForm(bool adding, std::uint8_t tableKind, const TComponentValues& values, QWidget* parent = nullptr);
  ~TBDWijzigForm() override;

  // The values as confirmed: the percentage read from its text (rounded to
  // two decimals, 0..100), the date as a whole day.
  TComponentValues Values() const;

 private:
  void UpdateFields();
  std::unique_ptr<Ui::TBDWijzigForm> ui_;
};

}  // namespace pc::gui
