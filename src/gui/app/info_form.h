// TInfoForm: the About window. In about mode a click on its picture, its
// version line or "Sluiten", or Escape, closes it; in splash mode it closes
// itself after seven ticks of its 500 ms timer and ignores clicks and keys.
#pragma once

#include <QDialog>
#include <QTimer>
#include <memory>

#include "platform/desktop_services.h"

namespace Ui {
class TInfoForm;
}

namespace pc::gui {

inline constexpr const char* kProgramVersion = "2007.07 Beta";
// The project page of the window library named in the credits line.
inline constexpr const char* kLibraryPage = "https://www.qt.io/";

enum class TInfoMode { About, Splash };

class TInfoForm : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kTickInterval = 500;  // ms
  static constexpr int kSplashTicks = 7;

  // `shell` opens the library's page from the credits link.
  TInfoForm(TInfoMode mode, platform::TShellOpen& shell, QWidget* parent = nullptr);
  ~TInfoForm() override;

  TInfoMode Mode() const { return mode_; }
  // Ticks counted so far (splash mode).
  int Step() const { return step_; }
  // Advances the splash by one tick, as its timer does.
  void Tick();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::unique_ptr<Ui::TInfoForm> ui_;
  TInfoMode mode_;
  platform::TShellOpen& shell_;
  QTimer timer_;
  int step_ = 0;
};

// The program's picture (window icon and About picture), drawn at `size`.
QPixmap ProgramPicture(int size);

}  // namespace pc::gui
