// A balloon hint: a small popup with a bold header ("Informatie" unless
// given), a text at most 300 pixels wide and a close button, pointing at a
// control and closing by itself after a given time.
#pragma once

#include <QFrame>
#include <QTimer>

class QLabel;
class QToolButton;

namespace pc::gui {

class TBalloonHint : public QFrame {
  Q_OBJECT
 public:
  explicit TBalloonHint(QWidget* parent = nullptr);

  // Shows `text` below `anchor` for `milliseconds`; a hint already shown is
  // replaced.
  void ShowFor(QWidget* anchor, const QString& text, int milliseconds,
               const QString& header = QStringLiteral("Informatie"));
  QString Text() const;
  QString Header() const;
  // The time the hint stays (the last ShowFor).
  int Duration() const { return duration_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QLabel* header_;
  QLabel* text_;
  QToolButton* close_;
  QTimer hideTimer_;
  int duration_ = 0;
};

}  // namespace pc::gui
