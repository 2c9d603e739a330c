// The real implementations of the window's seams: Qt's file dialogs and the
// message dialogs shown on screen.
#pragma once

#include <QWidget>

#include "gui/app/window_seams.h"

namespace pc::gui {

// "Caption|*.ext|Caption|*.*" (the core's filter form) as a Qt name filter.
QString QtNameFilter(const std::string& filter);

class TQtFileDialogs final : public TFileDialogs {
 public:
  explicit TQtFileDialogs(QWidget* parent) : parent_(parent) {}
  std::optional<std::string> OpenFileName(const std::string& initialFolder, const std::string& filter,
                                          const std::string& title) override;
  std::optional<std::string> SaveFileName(const std::string& initialFolder,
                                          const std::string& proposedName,
                                          const std::string& defaultExtension,
                                          const std::string& filter, const std::string& title) override;
  std::optional<std::string> ExistingFolder(const std::string& initialFolder,
                                            const std::string& title) override;

 private:
  QWidget* parent_;
};

}  // namespace pc::gui
