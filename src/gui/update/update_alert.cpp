#include "gui/update/update_alert.h"

#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace pc::gui {

TUpdateAlert::TUpdateAlert(QWidget* owner, const QString& message, bool failed)
    : QFrame(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus) {
  setObjectName(QStringLiteral("alertUpdate"));
  setAttribute(Qt::WA_DeleteOnClose);
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFrameShape(QFrame::Box);
  setStyleSheet(QStringLiteral("#alertUpdate { background: #fffff0; border: 1px solid #3a6ea5; }"));
  setFixedWidth(320);

  auto* top = new QHBoxLayout;
  header_ = new QLabel(QStringLiteral("Update resultaat"), this);
  header_->setObjectName(QStringLiteral("LHeader"));
  header_->setStyleSheet(QStringLiteral("QLabel { font-weight: bold; color: #3a6ea5; }"));
  auto* closeButton = new QToolButton(this);
  closeButton->setObjectName(QStringLiteral("BtnClose"));
  closeButton->setAutoRaise(true);
  closeButton->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
  closeButton->setToolTip(QStringLiteral("Sluiten"));
  connect(closeButton, &QToolButton::clicked, this, &QWidget::close);
  top->addWidget(header_, 1);
  top->addWidget(closeButton);

  message_ = new QLabel(message, this);
  message_->setObjectName(QStringLiteral("LMessage"));
  message_->setTextFormat(Qt::PlainText);
  message_->setWordWrap(true);
  message_->setCursor(Qt::PointingHandCursor);
  message_->setToolTip(QStringLiteral("Klik om het logboek te bekijken"));
  message_->installEventFilter(this);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  auto* body = new QHBoxLayout;
  auto* icon = new QLabel(this);
  icon->setPixmap(style()
                      ->standardIcon(failed ? QStyle::SP_MessageBoxWarning : QStyle::SP_MessageBoxInformation)
                      .pixmap(32, 32));
  body->addWidget(icon, 0, Qt::AlignTop);
  body->addWidget(message_, 1);
  layout->addLayout(body);

  if (failed) {
    logButton_ = new QPushButton(style()->standardIcon(QStyle::SP_FileDialogDetailedView),
                                 QStringLiteral("Logboek bekijken"), this);
    logButton_->setObjectName(QStringLiteral("BtnLog"));
    connect(logButton_, &QPushButton::clicked, this, &TUpdateAlert::OpenLog);
    layout->addWidget(logButton_, 0, Qt::AlignRight);
  } else {
    closeTimer_.setSingleShot(true);
    closeTimer_.setInterval(kSuccessMilliseconds);
    connect(&closeTimer_, &QTimer::timeout, this, &QWidget::close);
  }
}

void TUpdateAlert::Popup() {
  adjustSize();
  const QWidget* owner = parentWidget();
  QScreen* screen = owner != nullptr && owner->screen() != nullptr ? owner->screen() : QGuiApplication::primaryScreen();
  if (screen != nullptr) {
    const QRect area = screen->availableGeometry();
    move(area.right() - width() - 12, area.bottom() - height() - 12);
  }
  show();
  if (logButton_ == nullptr) closeTimer_.start();
}

bool TUpdateAlert::eventFilter(QObject* watched, QEvent* event) {
  if (watched == message_ && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    OpenLog();
    return true;
  }
  return QFrame::eventFilter(watched, event);
}

void TUpdateAlert::OpenLog() {
  close();
  Q_EMIT logRequested();
}

}  // namespace pc::gui
