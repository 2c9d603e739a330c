// The window program started as the user starts it (splash included), on
// the project named by its first argument. Prints the monotonic clock (ns)
// when the splash is first shown, when it closes, and when the main window
// is shown with the project open; then ends.
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <cstdio>
#include <ctime>

#include "gui/app/application.h"
#include "gui/app/info_form.h"
#include "gui/app/main_window.h"

namespace {

long long Now() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

// Notes the splash's first paint and its hiding.
class SplashWatch : public QObject {
 public:
  long long shown = 0, ended = 0;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (qobject_cast<pc::gui::TInfoForm*>(watched)) {
      if (event->type() == QEvent::Paint && shown == 0) shown = Now();
      if (event->type() == QEvent::Hide && ended == 0) ended = Now();
    }
    return false;
  }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  SplashWatch watch;
  app.installEventFilter(&watch);
  pc::gui::SetUpApplication(app);
  pc::gui::TWindowSeams seams;
  for (int i = 1; i < argc; ++i) seams.Arguments.emplace_back(argv[i]);
  pc::gui::TFrmMain window(std::move(seams));
  QObject::connect(&window, &pc::gui::TFrmMain::windowShown, [&] {
    QTimer::singleShot(0, [&] {
      std::printf("splash %lld\nsplash_end %lld\nshown %lld\n", watch.shown, watch.ended, Now());
      std::fflush(stdout);
      std::_Exit(0);  // the figures are out; skip closing and saving
    });
  });
  window.show();
  return QApplication::exec();
}
