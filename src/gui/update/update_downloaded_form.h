// TfrmUpdateDownloaded: "Nieuwe versie", the question whether to install a
// downloaded program set-up now, with "Niet meer vragen" and a link that
// mails the system administrator about it.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>

#include "gui/common/window_services.h"

namespace Ui {
class TfrmUpdateDownloaded;
}

namespace pc::gui {

class TfrmUpdateDownloaded final : public QDialog {
  Q_OBJECT
 public:
  TfrmUpdateDownloaded(TWindowServices& window, QWidget* parent);
  ~TfrmUpdateDownloaded() override;

  // The administrator's address when the field is empty: title and prompt
  // in, the answer out (empty when cancelled). Replaceable for tests.
  std::function<QString(const QString& title, const QString& prompt)> inputQuery;

 private:
  void InformAdministrator();

  std::unique_ptr<Ui::TfrmUpdateDownloaded> ui_;
  TWindowServices& window_;
};

// AskInstallNewVersion: shows the question window-modal over `parent`
// without blocking and returns it. When it closes, whatever the answer, the
// typed address becomes sysEmail and "Niet meer vragen" sets the waiting
// set-up aside; then `answered(true)` for "Ja", `answered(false)` otherwise.
TfrmUpdateDownloaded* AskInstallNewVersion(TWindowServices& window, QWidget* parent,
                                           std::function<void(bool install)> answered);

}  // namespace pc::gui
