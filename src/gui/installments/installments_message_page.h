// The page shown instead of the installments while no component can be chosen.
#pragma once

#include "gui/common/window_page.h"

namespace pc::gui {

class TInstallmentsMessagePage : public TWindowPage {
  Q_OBJECT
 public:
  explicit TInstallmentsMessagePage(TWindowServices& window, QWidget* parent = nullptr);
};

}  // namespace pc::gui
