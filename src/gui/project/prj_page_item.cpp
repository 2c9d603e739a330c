#include "gui/project/prj_page_item.h"

#include <QMouseEvent>
#include <QPainter>

namespace pc::gui {

TTileBorder::TTileBorder(QWidget* parent) : QWidget(parent) {
  // Clicks fall through to the tile.
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TTileBorder::SetLit(bool lit) {
  if (lit_ == lit) return;
  lit_ = lit;
  update();
}

void TTileBorder::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setPen(QColor(144, 195, 255));
  if (lit_)
    p.setBrush(Qt::white);
  else
    p.setBrush(Qt::NoBrush);
  p.drawRect(rect().adjusted(0, 0, -1, -1));
}

TfrmePrjPageItem::TfrmePrjPageItem(QWidget* parent) : QFrame(parent) {
  setCursor(Qt::PointingHandCursor);
}

TfrmePrjPageItem::~TfrmePrjPageItem() = default;

void TfrmePrjPageItem::FitToBorder() {
  TTileBorder* border = Border();
  borderLeft_ = border->x();
  borderTop_ = border->y();
  setFixedHeight(border->height() + 2 * borderTop_);
  border->lower();
}

void TfrmePrjPageItem::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  TTileBorder* border = Border();
  border->setGeometry(borderLeft_, borderTop_, width() - 2 * borderLeft_, border->height());
}

void TfrmePrjPageItem::HoverTick(const QPoint& globalCursor) {
  TTileBorder* border = Border();
  border->SetLit(border->rect().contains(border->mapFromGlobal(globalCursor)));
}

void TfrmePrjPageItem::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    event->accept();
    return;
  }
  QFrame::mousePressEvent(event);
}

void TfrmePrjPageItem::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && Border()->geometry().contains(event->position().toPoint())) {
    event->accept();
    Q_EMIT activated();
    return;
  }
  QFrame::mouseReleaseEvent(event);
}

}  // namespace pc::gui
