#include "gui/project/project_page.h"

namespace pc::gui {

TProjectPage::TProjectPage(TWindowServices& window, QWidget* parent) : TWindowPage(window, parent) {}

}  // namespace pc::gui
