#include "gui/project/logo_pixmap.h"

#include <QFont>
#include <QPainter>

namespace pc::gui {

QPixmap PictureToPixmap(const project::TPicture& picture) {
  QPixmap pixmap;
  if (picture.Empty() || picture.Data.empty()) return pixmap;
  pixmap.loadFromData(reinterpret_cast<const uchar*>(picture.Data.data()),
                      static_cast<uint>(picture.Data.size()));
  return pixmap;
}

QPixmap FitLogo(const QPixmap& pixmap) {
  if (pixmap.isNull()) return pixmap;
  if (pixmap.width() <= kLogoBoxWidth && pixmap.height() <= kLogoBoxHeight) return pixmap;
  return pixmap.scaled(kLogoBoxWidth, kLogoBoxHeight, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QPixmap DefaultLogoPixmap() {
  QPixmap pixmap(kLogoBoxWidth, kLogoBoxHeight);
  pixmap.fill(Qt::white);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(58, 110, 165));
  p.drawRoundedRect(QRectF(4, 8, 38, 38), 6, 6);
  p.setPen(Qt::white);
  QFont big(QStringLiteral("Sans"), 16, QFont::Bold);
  p.setFont(big);
  p.drawText(QRectF(4, 8, 38, 38), Qt::AlignCenter, QStringLiteral("\u20AC"));
  p.setPen(QColor(58, 110, 165));
  QFont small(QStringLiteral("Sans"), 7, QFont::Bold);
  p.setFont(small);
  p.drawText(QRectF(45, 10, 55, 18), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Prijs"));
  p.drawText(QRectF(45, 26, 55, 18), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Correctum"));
  return pixmap;
}

}  // namespace pc::gui
