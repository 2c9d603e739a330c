// The project page: the project's properties and the start panels.
#pragma once

#include "gui/common/window_page.h"

namespace pc::gui {

class TProjectPage : public TWindowPage {
  Q_OBJECT
 public:
  explicit TProjectPage(TWindowServices& window, QWidget* parent = nullptr);
};

}  // namespace pc::gui
