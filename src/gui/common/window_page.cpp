#include "gui/common/window_page.h"

namespace pc::gui {

TWindowPage::TWindowPage(TWindowServices& window, QWidget* parent) : QWidget(parent), window_(window) {}

}  // namespace pc::gui
