#include "gui/installments/installments_message_page.h"

namespace pc::gui {

TInstallmentsMessagePage::TInstallmentsMessagePage(TWindowServices& window, QWidget* parent) : TWindowPage(window, parent) {}

}  // namespace pc::gui
