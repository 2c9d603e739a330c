#include "gui/common/balloon_hint.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QToolButton>

namespace pc::gui {
namespace {
constexpr int kMaxWidth = 300;
constexpr int kArrow = 10;  // height of the pointer at the top
}  // namespace

TBalloonHint::TBalloonHint(QWidget* parent) : QFrame(parent, Qt::ToolTip | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("bHint"));
  setAttribute(Qt::WA_TranslucentBackground);
  setAttribute(Qt::WA_ShowWithoutActivating);
  header_ = new QLabel(this);
  header_->setObjectName(QStringLiteral("BalloonHeader"));
  QFont bold = header_->font();
  bold.setBold(true);
  header_->setFont(bold);
  text_ = new QLabel(this);
  text_->setObjectName(QStringLiteral("BalloonText"));
  text_->setWordWrap(true);
  close_ = new QToolButton(this);
  close_->setObjectName(QStringLiteral("BalloonClose"));
  close_->setText(QStringLiteral("\u2715"));
  close_->setAutoRaise(true);
  close_->setToolTip(QStringLiteral("Sluiten"));
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(10, kArrow + 6, 6, 8);
  grid->setHorizontalSpacing(6);
  grid->addWidget(header_, 0, 0);
  grid->addWidget(close_, 0, 1, Qt::AlignRight | Qt::AlignTop);
  grid->addWidget(text_, 1, 0, 1, 2);
  setMaximumWidth(kMaxWidth);
  hideTimer_.setSingleShot(true);
  connect(&hideTimer_, &QTimer::timeout, this, &QWidget::hide);
  connect(close_, &QToolButton::clicked, this, &QWidget::hide);
}

void TBalloonHint::ShowFor(QWidget* anchor, const QString& text, int milliseconds, const QString& header) {
  header_->setText(header);
  text_->setText(text);
  duration_ = milliseconds;
  text_->setFixedWidth(kMaxWidth - 16);
  adjustSize();
  const QPoint below = anchor->mapToGlobal(QPoint(anchor->width() / 2 - 20, anchor->height()));
  move(below);
  show();
  raise();
  hideTimer_.start(milliseconds);
}

QString TBalloonHint::Text() const { return text_->text(); }
QString TBalloonHint::Header() const { return header_->text(); }

void TBalloonHint::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF body = QRectF(rect()).adjusted(0.5, kArrow + 0.5, -0.5, -0.5);
  QPainterPath path;
  path.addRoundedRect(body, 6, 6);
  QPainterPath arrow;
  arrow.moveTo(14, kArrow + 1);
  arrow.lineTo(20, 0.5);
  arrow.lineTo(32, kArrow + 1);
  arrow.closeSubpath();
  path = path.united(arrow);
  p.setPen(QPen(QColor(118, 118, 118)));
  p.setBrush(QColor(255, 255, 225));
  p.drawPath(path);
}

}  // namespace pc::gui
