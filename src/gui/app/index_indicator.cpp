#include "gui/app/index_indicator.h"

#include <QPainter>

#include "common/text_routines.h"
#include "gui/common/qt_text.h"

namespace pc::gui {

QString IndexIndicatorText(const project::TProjectData& doc) {
  const QString name = PathToQt(std::string(FileBaseName(doc.IndexPath)));
  switch (doc.IndexBinding) {
    case project::index_binding::kCentral: return QStringLiteral("Centrale indextabel (%1)").arg(name);
    case project::index_binding::kLocal: return QStringLiteral("Lokale indextabel (%1)").arg(name);
    case project::index_binding::kCentralOnline:
      return QStringLiteral("Centrale (online) indextabel (%1)").arg(name);
    default: return QStringLiteral("Indextabel schrijfbeveiligd");
  }
}

namespace {

// A sheet of figures in the kind's colour; write-protected adds a bar.
QPixmap KindPicture(std::uint8_t binding) {
  QColor colour(0x2e, 0x6d, 0xb4);  // central
  if (binding == project::index_binding::kLocal) colour = QColor(0x3c, 0x8d, 0x2f);
  if (binding == project::index_binding::kCentralOnline) colour = QColor(0xe0, 0x8a, 0x00);
  if (binding == project::index_binding::kNone) colour = QColor(0x80, 0x80, 0x80);
  QPixmap picture(16, 16);
  picture.fill(Qt::transparent);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(colour.darker(140));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(2.5, 1.5, 11, 13));
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  for (int row = 0; row < 3; ++row) p.drawRect(QRectF(4, 4 + row * 3.5, 8, 2));
  if (binding == project::index_binding::kNone) {
    p.setPen(QPen(QColor(0xc0, 0x20, 0x20), 2));
    p.drawLine(QPointF(2, 14), QPointF(14, 2));
  }
  return picture;
}

}  // namespace

QPixmap IndexIndicatorPicture(const project::TProjectData& doc) {
  if (doc.IndexPicture && !doc.IndexPicture->Empty()) {
    QPixmap own;
    const std::string& data = doc.IndexPicture->Data;
    if (own.loadFromData(reinterpret_cast<const uchar*>(data.data()), static_cast<uint>(data.size())))
      return own.scaled(16, 16, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  }
  return KindPicture(doc.IndexBinding);
}

}  // namespace pc::gui
