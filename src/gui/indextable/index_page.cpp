#include "gui/indextable/index_page.h"

namespace pc::gui {

TIndexPage::TIndexPage(TWindowServices& window, QWidget* parent) : TWindowPage(window, parent) {}

}  // namespace pc::gui
