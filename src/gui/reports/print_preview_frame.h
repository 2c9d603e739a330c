// TFrmePrintPreview: the report preview hosted in the main window, with a
// tool bar for paging, zooming (10..210 %), whole page and page width,
// printer set-up, printing, saving as PDF and closing.
#pragma once

#include <QWidget>
#include <string>

#include "gui/reports/report_engine.h"

class QLabel;
class QPushButton;
class QSlider;

namespace pc::gui {

class TReportModule;
class TReportPageView;

class TFrmePrintPreview : public QWidget {
  Q_OBJECT
 public:
  TFrmePrintPreview(TReportModule& module, QWidget* parent = nullptr);

  // Renders the report last fed into the preview and fits the page width.
  // Empty names become "Nieuw indexbestand" and "Nieuw project".
  void Show(bool isIndexReport, bool watermark, const std::string& projectFileName,
            const std::string& indexFileName);
  // Renders again after a printer set-up, keeping the zoom.
  void Refresh();

  bool IsIndexReport() const { return isIndexReport_; }
  // The zoom in percent, the current page (1-based) and the page count.
  double Zoom() const;
  int CurrentPage() const;
  int PageCount() const;
  // The sheets the preview shows now.
  const TReportPages& Pages() const;
  // The proposed PDF file: `folder` + the base name of the index file
  // (index report) or the project file, a blank, the date stamp, ".pdf".
  std::string ProposedPdfName(const std::string& folder) const;

  // Tool bar actions, as the buttons do them.
  void ZoomIn();
  void ZoomOut();
  void SetZoom(int percent);
  void FitPage();
  void FitWidth();

 Q_SIGNALS:
  void closeRequested();
  void printRequested();
  void pdfRequested();
  void printerSetupRequested();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QPushButton* AddButton(const char* name, const QString& text, int left, int width, const QString& tip);
  void Render();
  void SetBusy(bool busy);
  void UpdateButtons();
  void TakeZoom();

  TReportModule& module_;
  QWidget* panel_ = nullptr;
  TReportPageView* preview_ = nullptr;
  QPushButton* prev_ = nullptr;
  QPushButton* next_ = nullptr;
  QLabel* zoomLabel_ = nullptr;
  QPushButton* unzoom_ = nullptr;
  QSlider* slider_ = nullptr;
  QPushButton* zoom_ = nullptr;
  QPushButton* page_ = nullptr;
  QPushButton* pageWidth_ = nullptr;
  QPushButton* setup_ = nullptr;
  QPushButton* print_ = nullptr;
  QPushButton* pdf_ = nullptr;
  QPushButton* close_ = nullptr;
  bool busy_ = false;
  bool watermark_ = false;
  bool isIndexReport_ = true;
  std::string projectFileName_;
  std::string indexFileName_;
};

}  // namespace pc::gui
