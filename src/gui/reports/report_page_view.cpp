#include "gui/reports/report_page_view.h"

#include <QPainter>
#include <QPaintEvent>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

namespace pc::gui {
namespace {

constexpr int kShadow = 10;

}  // namespace

TReportPageView::TReportPageView(QWidget* parent) : QAbstractScrollArea(parent) {
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { Q_EMIT viewChanged(); });
}

void TReportPageView::SetPages(TReportPages pages) {
  pages_ = std::move(pages);
  UpdateScrollBars();
  viewport()->update();
  Q_EMIT viewChanged();
}

QSizeF TReportPageView::SheetSize(double zoom) const {
  const double sx = logicalDpiX() / 25.4 * zoom;
  const double sy = logicalDpiY() / 25.4 * zoom;
  return QSizeF(pages_.PageSize.width() * sx, pages_.PageSize.height() * sy);
}

// A margin of 5 % of the sheet's height.
double TReportPageView::Gap() const { return std::max(4.0, SheetSize(zoom_).height() * 0.05); }

QRectF TReportPageView::SheetRect(int index) const {
  const QSizeF size = SheetSize(zoom_);
  const double gap = Gap();
  const double contentWidth = std::max<double>(viewport()->width(), size.width() + 2 * gap);
  const double x = (contentWidth - size.width()) / 2;
  return QRectF(x, gap + index * (size.height() + gap), size.width(), size.height());
}

void TReportPageView::UpdateScrollBars() {
  const QSizeF size = SheetSize(zoom_);
  const double gap = Gap();
  const int height = static_cast<int>(std::ceil(gap + PageCount() * (size.height() + gap)));
  const int width = static_cast<int>(std::ceil(size.width() + 2 * gap));
  verticalScrollBar()->setPageStep(viewport()->height());
  verticalScrollBar()->setSingleStep(20);
  verticalScrollBar()->setRange(0, std::max(0, height - viewport()->height()));
  horizontalScrollBar()->setPageStep(viewport()->width());
  horizontalScrollBar()->setSingleStep(20);
  horizontalScrollBar()->setRange(0, std::max(0, width - viewport()->width()));
}

int TReportPageView::CurrentPage() const {
  if (PageCount() == 0) return 0;
  const double middle = verticalScrollBar()->value() + viewport()->height() / 2.0;
  const double pitch = SheetSize(zoom_).height() + Gap();
  const int index = static_cast<int>(std::floor((middle - Gap() / 2) / pitch));
  return std::clamp(index, 0, PageCount() - 1) + 1;
}

void TReportPageView::SetCurrentPage(int page) {
  if (PageCount() == 0) return;
  const int index = std::clamp(page, 1, PageCount()) - 1;
  const QRectF sheet = SheetRect(index);
  // The sheet's top in view, or its middle at the view's middle when it fits.
  const double top = sheet.height() <= viewport()->height()
                         ? sheet.center().y() - viewport()->height() / 2.0
                         : sheet.top() - Gap() / 2;
  verticalScrollBar()->setValue(static_cast<int>(std::lround(top)));
  viewport()->update();
  Q_EMIT viewChanged();
}

void TReportPageView::SetZoomFactor(double zoom) {
  if (!(zoom > 0)) return;
  const int page = CurrentPage();
  zoom_ = zoom;
  UpdateScrollBars();
  if (page > 0) SetCurrentPage(page);
  viewport()->update();
  Q_EMIT viewChanged();
}

double TReportPageView::PageWidthFactor() const {
  const QSizeF one = SheetSize(1.0);
  if (one.width() <= 0) return zoom_;
  // The sheet and a 5 % gap (of its height) on either side fill the width.
  const double available = viewport()->width() - verticalScrollBar()->sizeHint().width();
  return std::max(0.01, available / (one.width() + 0.1 * one.height()));
}

double TReportPageView::WholePageFactor() const {
  const QSizeF one = SheetSize(1.0);
  if (one.height() <= 0) return zoom_;
  const double byHeight = viewport()->height() / (one.height() * 1.1);
  return std::max(0.01, std::min(PageWidthFactor(), byHeight));
}

void TReportPageView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars();
}

void TReportPageView::scrollContentsBy(int, int) { viewport()->update(); }

void TReportPageView::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  const QPointF offset(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
  const QRectF visible = QRectF(event->rect()).translated(-offset);
  painter.fillRect(event->rect(), QColor(160, 160, 168));
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  for (int index = 0; index < PageCount(); ++index) {
    const QRectF sheet = SheetRect(index);
    if (sheet.bottom() + kShadow < visible.top()) continue;
    if (sheet.top() > visible.bottom()) break;
    const QRectF onScreen = sheet.translated(offset);
    painter.fillRect(onScreen.translated(kShadow, kShadow), QColor(60, 60, 60));
    painter.fillRect(onScreen, Qt::white);
    painter.save();
    painter.setClipRect(onScreen);
    painter.translate(onScreen.topLeft());
    painter.scale(zoom_, zoom_);
    PaintReportPage(painter, pages_, index);
    painter.restore();
  }
}

}  // namespace pc::gui
