#include "gui/update/update_hosting.h"

#include "gui/app/main_window.h"

namespace pc::gui {

void InstallUpdateHosting(TFrmMain& /*window*/) {}

}  // namespace pc::gui
