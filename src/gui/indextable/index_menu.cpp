#include "gui/indextable/index_menu.h"

#include "gui/app/main_window.h"

namespace pc::gui {

void InstallIndexMenu(TFrmMain& /*window*/) {}

}  // namespace pc::gui
