// TLinkLabel: a label that reads and acts like a link (blue, underlined,
// hand cursor) and reports a click with the left mouse button or the space
// key when it has the focus.
#pragma once

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

namespace pc::gui {

class TLinkLabel : public QLabel {
  Q_OBJECT
 public:
  explicit TLinkLabel(QWidget* parent = nullptr) : QLabel(parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setStyleSheet(QStringLiteral("QLabel { color: #0000ee; text-decoration: underline; }"));
  }

 Q_SIGNALS:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) Q_EMIT clicked();
    QLabel::mouseReleaseEvent(event);
  }
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Space) {
      Q_EMIT clicked();
      return;
    }
    QLabel::keyPressEvent(event);
  }
};

}  // namespace pc::gui
