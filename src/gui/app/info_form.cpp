#include "gui/app/info_form.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

#include "ui_info_form.h"

namespace pc::gui {

QPixmap ProgramPicture(int size) {
  QPixmap picture(size, size);
  picture.fill(Qt::transparent);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 64.0, size / 64.0);
  QLinearGradient back(0, 0, 0, 64);
  back.setColorAt(0, QColor(0x3a, 0x6e, 0xa5));
  back.setColorAt(1, QColor(0x1f, 0x3f, 0x66));
  p.setPen(Qt::NoPen);
  p.setBrush(back);
  p.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
  // Three columns of index figures on a base line, rising.
  p.setBrush(QColor(0xff, 0xff, 0xff));
  p.drawRect(QRectF(12, 38, 9, 14));
  p.drawRect(QRectF(25, 30, 9, 22));
  p.drawRect(QRectF(38, 22, 9, 30));
  p.drawRect(QRectF(9, 52, 46, 3));
  // The correction: an arrow over the columns.
  QPen arrow(QColor(0xf5, 0xa6, 0x23), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setPen(arrow);
  p.setBrush(Qt::NoBrush);
  QPainterPath line;
  line.moveTo(10, 34);
  line.lineTo(26, 22);
  line.lineTo(34, 26);
  line.lineTo(52, 11);
  p.drawPath(line);
  QPainterPath head;
  head.moveTo(44, 10);
  head.lineTo(53, 10);
  head.lineTo(53, 19);
  p.drawPath(head);
  return picture;
}

TInfoForm::TInfoForm(TInfoMode mode, platform::TShellOpen& shell, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), ui_(std::make_unique<Ui::TInfoForm>()),
      mode_(mode), shell_(shell) {
  ui_->setupUi(this);
  setFixedSize(480, 423);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  ui_->LblVersion->setText(QStringLiteral("Versie ") + QString::fromLatin1(kProgramVersion));
  ui_->LblCredits->setText(QStringLiteral("De vensters van PrijsCorrectum zijn gebouwd met de Qt-bibliotheek: "
                                          "<a href=\"%1\" style=\"color:#ffffff\">%1</a>")
                               .arg(QString::fromLatin1(kLibraryPage)));
  connect(ui_->LblCredits, &QLabel::linkActivated, this,
          [this](const QString& link) { shell_.Open(link.toStdString()); });
  connect(ui_->LblClose, &QLabel::linkActivated, this, [this] {
    if (mode_ == TInfoMode::About) accept();
  });
  ui_->LblVersion->installEventFilter(this);
  ui_->LblClose->setVisible(mode == TInfoMode::About);
  timer_.setInterval(kTickInterval);
  connect(&timer_, &QTimer::timeout, this, &TInfoForm::Tick);
  if (mode == TInfoMode::Splash) timer_.start();
}

TInfoForm::~TInfoForm() = default;

void TInfoForm::Tick() {
  ++step_;
  update();
  if (step_ >= kSplashTicks) {
    timer_.stop();
    accept();
  }
}

void TInfoForm::paintEvent(QPaintEvent* /*event*/) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient back(0, 0, 0, height());
  back.setColorAt(0, QColor(0x2b, 0x57, 0x88));
  back.setColorAt(1, QColor(0x12, 0x2a, 0x47));
  p.fillRect(rect(), back);
  p.drawPixmap(32, 56, ProgramPicture(112));
  p.setPen(Qt::white);
  QFont title = font();
  title.setPointSize(26);
  title.setBold(true);
  p.setFont(title);
  p.drawText(QRect(160, 64, 300, 48), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("PrijsCorrectum"));
  QFont sub = font();
  sub.setPointSize(11);
  p.setFont(sub);
  p.setPen(QColor(0xdc, 0xe8, 0xf5));
  p.drawText(QRect(160, 112, 300, 60), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
             QStringLiteral("Prijsverrekening van bouwcontracten met indexcijfers, tot op de cent."));
  p.setPen(QColor(0xf5, 0xa6, 0x23));
  p.drawLine(32, 200, 448, 200);
  if (mode_ == TInfoMode::Splash) {
    // One dot per tick: how far the start has come.
    for (int i = 0; i < kSplashTicks; ++i) {
      p.setPen(Qt::NoPen);
      p.setBrush(i < step_ ? QColor(0xf5, 0xa6, 0x23) : QColor(0xff, 0xff, 0xff, 60));
      p.drawEllipse(QPointF(240 - 3 * 22 + i * 22, 270), 6, 6);
    }
  }
}

void TInfoForm::mousePressEvent(QMouseEvent* event) {
  if (mode_ == TInfoMode::About && event->button() == Qt::LeftButton)
    accept();
  else
    QDialog::mousePressEvent(event);
}

void TInfoForm::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    if (mode_ == TInfoMode::About) reject();
    return;
  }
  QDialog::keyPressEvent(event);
}

bool TInfoForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ui_->LblVersion && event->type() == QEvent::MouseButtonPress && mode_ == TInfoMode::About) {
    accept();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace pc::gui
