#include "gui/installments/installments_page.h"

namespace pc::gui {

TInstallmentsPage::TInstallmentsPage(TWindowServices& window, QWidget* parent) : TWindowPage(window, parent) {}

}  // namespace pc::gui
