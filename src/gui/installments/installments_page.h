// The installments page: the installment grid and its totals.
#pragma once

#include "gui/common/window_page.h"

namespace pc::gui {

class TInstallmentsPage : public TWindowPage {
  Q_OBJECT
 public:
  explicit TInstallmentsPage(TWindowServices& window, QWidget* parent = nullptr);
};

}  // namespace pc::gui
