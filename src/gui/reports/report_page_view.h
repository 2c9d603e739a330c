// The preview's page area: laid-out report sheets one below the other on a
// grey background, drawn only where they are in view, at a zoom factor where
// 1 is the paper's real size on the screen.
#pragma once

#include <QAbstractScrollArea>

#include "gui/reports/report_engine.h"

namespace pc::gui {

class TReportPageView : public QAbstractScrollArea {
  Q_OBJECT
 public:
  explicit TReportPageView(QWidget* parent = nullptr);

  void SetPages(TReportPages pages);
  const TReportPages& Pages() const { return pages_; }
  int PageCount() const { return pages_.PageCount(); }
  // The sheet at the middle of the view (1-based; 0 without sheets).
  int CurrentPage() const;
  void SetCurrentPage(int page);

  double ZoomFactor() const { return zoom_; }
  void SetZoomFactor(double zoom);
  // The factor that fits the whole sheet, or its width, into the view.
  double WholePageFactor() const;
  double PageWidthFactor() const;

 Q_SIGNALS:
  void viewChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  QSizeF SheetSize(double zoom) const;  // pixels
  double Gap() const;                   // pixels between and around sheets
  QRectF SheetRect(int index) const;    // in content coordinates
  void UpdateScrollBars();

  TReportPages pages_;
  double zoom_ = 1.0;
};

}  // namespace pc::gui
