// TfrmViewLog: "Logboek", the update log of this run as it was when the
// viewer opened, with links to copy it, to mail it to a helpdesk and to the
// connection settings.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>

#include "gui/common/window_services.h"
#include "update/update_log.h"

namespace Ui {
class TfrmViewLog;
}

namespace pc::gui {

class TfrmViewLog final : public QDialog {
  Q_OBJECT
 public:
  // `openConnectionSettings` opens the options dialog on its connection page.
  TfrmViewLog(TWindowServices& window, const update::TLog& log, std::function<void(QWidget*)> openConnectionSettings,
              QWidget* parent);
  ~TfrmViewLog() override;

  // The text the viewer shows.
  QString LogText() const;

 private:
  void CopyToClipboard();
  void MailLog();

  std::unique_ptr<Ui::TfrmViewLog> ui_;
  TWindowServices& window_;
  const update::TLog& log_;
  std::vector<std::string> lines_;
  std::function<void(QWidget*)> openConnectionSettings_;
};

// ShowLog: opens the viewer window-modal over `parent` (without blocking)
// and returns it; it deletes itself when closed.
TfrmViewLog* ShowLog(TWindowServices& window, const update::TLog& log,
                     std::function<void(QWidget*)> openConnectionSettings, QWidget* parent);

}  // namespace pc::gui
