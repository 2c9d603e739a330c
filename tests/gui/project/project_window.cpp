#include "project_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QTest>
#include <QTimer>

namespace pc::guitest {

TProjectWindow::TProjectWindow(TProjectWindowOptions options) {
  gui::TWindowSeams seams;
  seams.Messages = &messages;
  seams.FileDialogs = &files;
  seams.Questions = options.RealMergeDialogs ? nullptr : &questions;
  seams.Mailer = options.RealMailer ? nullptr : &mailer;
  seams.Shell = &shell;
  seams.Arguments = std::move(options.Arguments);
  seams.ShowSplash = false;
  window = std::make_unique<gui::TFrmMain>(std::move(seams));
}

gui::TProjectPage& TProjectWindow::Page() {
  return *qobject_cast<gui::TProjectPage*>(window->Page(gui::TPageId::TSPrj));
}

void TProjectWindow::Trigger(const char* name) {
  QAction* action = window->Action(name);
  ASSERT_NE(action, nullptr) << name;
  ASSERT_TRUE(action->isEnabled()) << name;
  action->trigger();
}

void TProjectWindow::ShowActive() {
  window->show();
  window->activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
  Settle();
}

void TProjectWindow::CloseWithoutSaving() {
  messages.QueueDialogAnswer(TDialogAnswer::daNee);
  window->close();
}

void Settle() {
  for (int i = 0; i < 5; ++i) {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QTest::qWait(5);
  }
}

void AnswerNextModal(std::function<void(QWidget*)> answer) {
  auto* timer = new QTimer(qApp);
  auto ticks = std::make_shared<int>(0);
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, timer, [timer, answer, ticks] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) {
      // Give up after ten seconds: the dialog never came.
      if (++*ticks > 1000) {
        ADD_FAILURE() << "no modal dialog was shown";
        timer->stop();
        timer->deleteLater();
      }
      return;
    }
    timer->stop();
    timer->deleteLater();
    answer(modal);
  });
  timer->start();
}

void Click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center()); }

}  // namespace pc::guitest
