#include "gui/app/screenshot_run.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

#include "gui/app/info_form.h"
#include "gui/app/main_window.h"
#include "gui/common/frm_dlg.h"

namespace pc::gui {
namespace {

void Save(QWidget& widget, const QString& folder, const char* name) {
  QApplication::processEvents();
  widget.grab().save(folder + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
}

void TakeScreenshots(TFrmMain& window, const QString& folder) {
  QDir().mkpath(folder);
  window.ShowProjectPage(true, true);
  Save(window, folder, "main-window-project");
  window.ShowIndexPage(true);
  Save(window, folder, "main-window-index");
  window.ShowInstallmentsPage(true);
  Save(window, folder, "main-window-installments");
  window.ShowProjectPage(true, false);
  {
    TInfoForm about(TInfoMode::About, window.Shell(), &window);
    about.show();
    Save(about, folder, "about-window");
  }
  {
    const project::TProjectData& doc = window.History().Current();
    TFrmDlg question(&window, TDialogMode::dmSaveQuery, doc.ProjectName, "worked-example.kvp");
    question.show();
    Save(question, folder, "save-question");
  }
  window.close();
}

}  // namespace

void ScheduleScreenshots(TFrmMain& window, const QString& folder) {
  QObject::connect(&window, &TFrmMain::windowShown, &window, [&window, folder] {
    // Give the window system a moment to map and paint the window.
    QTimer::singleShot(1000, &window, [&window, folder] { TakeScreenshots(window, folder); });
  });
}

}  // namespace pc::gui
