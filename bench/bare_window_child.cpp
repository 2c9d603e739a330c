// The baseline of the start benchmark: a bare QMainWindow with a menu bar
// and a status bar, started as a program. Prints the monotonic clock (ns)
// when the window is shown, then ends.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <cstdio>
#include <ctime>

namespace {
long long Now() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}
}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.menuBar()->addMenu(QStringLiteral("&Bestand"));
  window.statusBar()->showMessage(QStringLiteral("Klaar"));
  window.resize(883, 599);
  window.show();
  QTimer::singleShot(0, [] {
    std::printf("shown %lld\n", Now());
    QApplication::quit();
  });
  return QApplication::exec();
}
