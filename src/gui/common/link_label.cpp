#include "gui/common/link_label.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace pc::gui {

TLinkLabel::TLinkLabel(QWidget* parent) : QLabel(parent) {
  setCursor(Qt::PointingHandCursor);
  setFocusPolicy(Qt::TabFocus);
  SetLinkColour(QColor(0, 0, 255));
}

void TLinkLabel::SetLinkColour(const QColor& colour) {
  setStyleSheet(QStringLiteral("QLabel { color: %1; text-decoration: underline; }").arg(colour.name()));
}

void TLinkLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton)
    event->accept();
  else
    QLabel::mousePressEvent(event);
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    event->accept();
    Q_EMIT clicked();
    return;
  }
  QLabel::mouseReleaseEvent(event);
}

void TLinkLabel::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space) {
    event->accept();
    Q_EMIT clicked();
    return;
  }
  QLabel::keyPressEvent(event);
}

}  // namespace pc::gui
