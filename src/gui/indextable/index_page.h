// The components and index figures page.
#pragma once

#include "gui/common/window_page.h"

namespace pc::gui {

class TIndexPage : public TWindowPage {
  Q_OBJECT
 public:
  explicit TIndexPage(TWindowServices& window, QWidget* parent = nullptr);
};

}  // namespace pc::gui
