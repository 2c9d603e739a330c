#include "gui/reports/print_preview_frame.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>
#include <cmath>

#include "common/date_text.h"
#include "common/text_routines.h"
#include "gui/reports/report_module.h"
#include "gui/reports/report_output.h"
#include "gui/reports/report_page_view.h"

namespace pc::gui {
namespace {

constexpr int kMinZoom = 10;
constexpr int kMaxZoom = 210;

}  // namespace

TFrmePrintPreview::TFrmePrintPreview(TReportModule& module, QWidget* parent) : QWidget(parent), module_(module) {
  setObjectName(QStringLiteral("TFrmePrintPreview"));
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, QColor(223, 235, 249));
  setPalette(palette);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  panel_ = new QWidget(this);
  panel_->setObjectName(QStringLiteral("Panel1"));
  panel_->setFixedHeight(32);
  panel_->setStyleSheet(QStringLiteral("#Panel1 { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
                                       "stop:0 #f4f8fd, stop:1 #c9dcf2); }"));
  layout->addWidget(panel_);
  preview_ = new TReportPageView(this);
  preview_->setObjectName(QStringLiteral("RenderPreview"));
  layout->addWidget(preview_, 1);

  prev_ = AddButton("BtnPrev", QStringLiteral("◀"), 12, 25, QStringLiteral("Vorige pagina"));
  next_ = AddButton("BtnNext", QStringLiteral("▶"), 37, 25, QStringLiteral("Volgende pagina"));
  zoomLabel_ = new QLabel(panel_);
  zoomLabel_->setObjectName(QStringLiteral("LZoom"));
  zoomLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  zoomLabel_->setGeometry(70, 4, 55, 24);
  unzoom_ = AddButton("BtnUnzoom", QStringLiteral("−"), 129, 25, QStringLiteral("Uitzoomen"));
  slider_ = new QSlider(Qt::Horizontal, panel_);
  slider_->setObjectName(QStringLiteral("SliZoom"));
  slider_->setRange(0, kMaxZoom - kMinZoom);
  slider_->setGeometry(154, 4, 100, 24);
  zoom_ = AddButton("BtnZoom", QStringLiteral("+"), 254, 25, QStringLiteral("Inzoomen"));
  page_ = AddButton("BtnPage", QStringLiteral("▯"), 306, 25, QStringLiteral("Hele pagina"));
  pageWidth_ = AddButton("BtnPageW", QStringLiteral("↔"), 331, 25, QStringLiteral("Paginabreedte"));
  setup_ = AddButton("BtnPinterSetup", QStringLiteral("Printer instellen"), 380, 100,
                     QStringLiteral("Wijzig de printerinstellingen."));
  print_ = AddButton("BtnPrint", QStringLiteral("Afdrukken"), 500, 100, QStringLiteral("Druk het rapport af."));
  pdf_ = AddButton("BtnPDF", QStringLiteral("PDF"), 600, 100, QStringLiteral("Bewaar het rapport als PDF-bestand."));
  close_ = AddButton("BtnClose", QStringLiteral("✕"), 700, 25, QStringLiteral("Sluit het afdrukvoorbeeld."));

  connect(preview_, &TReportPageView::viewChanged, this, [this] { UpdateButtons(); });
  connect(prev_, &QPushButton::clicked, this, [this] {
    preview_->SetCurrentPage(preview_->CurrentPage() - 1);
    UpdateButtons();
  });
  connect(next_, &QPushButton::clicked, this, [this] {
    preview_->SetCurrentPage(preview_->CurrentPage() + 1);
    UpdateButtons();
  });
  connect(unzoom_, &QPushButton::clicked, this, &TFrmePrintPreview::ZoomOut);
  connect(zoom_, &QPushButton::clicked, this, &TFrmePrintPreview::ZoomIn);
  connect(page_, &QPushButton::clicked, this, &TFrmePrintPreview::FitPage);
  connect(pageWidth_, &QPushButton::clicked, this, &TFrmePrintPreview::FitWidth);
  connect(slider_, &QSlider::valueChanged, this, [this](int position) {
    const int zoom = position + kMinZoom;
    if (zoom != static_cast<int>(std::lround(Zoom()))) {
      preview_->SetZoomFactor(zoom / 100.0);
      UpdateButtons();
    }
  });
  connect(setup_, &QPushButton::clicked, this, &TFrmePrintPreview::printerSetupRequested);
  connect(print_, &QPushButton::clicked, this, &TFrmePrintPreview::printRequested);
  connect(pdf_, &QPushButton::clicked, this, &TFrmePrintPreview::pdfRequested);
  connect(close_, &QPushButton::clicked, this, &TFrmePrintPreview::closeRequested);
}

QPushButton* TFrmePrintPreview::AddButton(const char* name, const QString& text, int left, int width,
                                          const QString& tip) {
  auto* button = new QPushButton(text, panel_);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(left, 4, width, 24);
  button->setToolTip(tip);
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

void TFrmePrintPreview::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  close_->move(width() - close_->width() - 16, close_->y());  // anchored top right
}

// The sheets on the shared page set-up; an error leaves the preview empty.
void TFrmePrintPreview::Render() {
  try {
    preview_->SetPages(module_.LayOut(module_.PageLayout()));
  } catch (...) {
    preview_->SetPages({});
  }
}

const TReportPages& TFrmePrintPreview::Pages() const { return preview_->Pages(); }

void TFrmePrintPreview::Show(bool isIndexReport, bool watermark, const std::string& projectFileName,
                             const std::string& indexFileName) {
  watermark_ = watermark;
  module_.SetWatermark(watermark);
  SetBusy(true);
  isIndexReport_ = isIndexReport;
  indexFileName_ = indexFileName.empty() ? std::string("Nieuw indexbestand") : indexFileName;
  projectFileName_ = projectFileName.empty() ? std::string("Nieuw project") : projectFileName;
  Render();
  close_->move(width() - close_->width() - 16, close_->y());
  SetBusy(false);
  FitWidth();
}

void TFrmePrintPreview::Refresh() {
  const double zoom = Zoom();
  SetBusy(true);
  Render();
  preview_->SetZoomFactor(zoom / 100.0);
  SetBusy(false);
  TakeZoom();
}

double TFrmePrintPreview::Zoom() const { return preview_->ZoomFactor() * 100.0; }
int TFrmePrintPreview::CurrentPage() const { return preview_->CurrentPage(); }
int TFrmePrintPreview::PageCount() const { return preview_->PageCount(); }

void TFrmePrintPreview::SetZoom(int percent) {
  preview_->SetZoomFactor(std::clamp(percent, kMinZoom, kMaxZoom) / 100.0);
  TakeZoom();
}

void TFrmePrintPreview::ZoomOut() { SetZoom(static_cast<int>(std::lround(Zoom())) - 10); }
void TFrmePrintPreview::ZoomIn() { SetZoom(static_cast<int>(std::lround(Zoom())) + 10); }

void TFrmePrintPreview::FitPage() {
  preview_->SetZoomFactor(preview_->WholePageFactor());
  TakeZoom();
}

void TFrmePrintPreview::FitWidth() {
  preview_->SetZoomFactor(preview_->PageWidthFactor());
  TakeZoom();
}

// The slider follows the zoom without zooming itself.
void TFrmePrintPreview::TakeZoom() {
  QSignalBlocker block(slider_);
  slider_->setValue(static_cast<int>(std::lround(Zoom())) - kMinZoom);
  UpdateButtons();
}

void TFrmePrintPreview::SetBusy(bool busy) {
  busy_ = busy;
  if (busy)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
  UpdateButtons();
  if (busy) QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TFrmePrintPreview::UpdateButtons() {
  for (QWidget* control : std::initializer_list<QWidget*>{unzoom_, slider_, zoom_, page_, pageWidth_, setup_,
                                                          print_, pdf_, close_})
    control->setEnabled(!busy_);
  prev_->setEnabled(!busy_ && preview_->CurrentPage() > 1);
  next_->setEnabled(!busy_ && preview_->CurrentPage() < preview_->PageCount());
  zoomLabel_->setText(QString::number(static_cast<int>(Zoom())) + QStringLiteral("%"));
}

std::string TFrmePrintPreview::ProposedPdfName(const std::string& folder) const {
  const std::string& file = isIndexReport_ ? indexFileName_ : projectFileName_;
  const bool isDefault = file == "Nieuw indexbestand" || file == "Nieuw project";
  const std::string base = isDefault ? file : FileBaseName(file);
  return folder + base + " " + DateStamp() + ".pdf";
}

}  // namespace pc::gui
