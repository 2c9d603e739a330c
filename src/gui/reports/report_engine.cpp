#include "gui/reports/report_engine.h"

#include <QFont>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "gui/reports/report_text.h"
#include "gui/reports/report_fonts.h"

namespace pc::gui {
namespace {

class TLayout {
 public:
  explicit TLayout(const TReportDefinition& definition) : def_(definition) {
    out_.Title = definition.Title;
    out_.PageSize = definition.PageSize;
    out_.Logo = definition.Logo;
  }

  TReportPages Run() {
    for (const TReportPageDef& page : def_.Pages) RunPage(page);
    AddFooters();
    return std::move(out_);
  }

 private:
  double Bottom() const { return def_.PageSize.height() - def_.MarginBottom - def_.PageFooter.Height; }

  std::uint16_t FontIndex(const TReportFontSpec& spec) {
    for (std::size_t i = 0; i < out_.Fonts.size(); ++i)
      if (out_.Fonts[i] == spec) return static_cast<std::uint16_t>(i);
    out_.Fonts.push_back(spec);
    return static_cast<std::uint16_t>(out_.Fonts.size() - 1);
  }

  // Puts `band` at the current height, its texts bound to `row` of `data`.
  void Place(const TReportBand& band, const reports::TReportConnection* data, int row) {
    if (band.Height <= 0) return;
    TPlacedPage& page = out_.Pages.back();
    const QPointF at(0, y_);
    if (!band.Shade.isEmpty()) page.Shades.emplace_back(band.Shade.translated(at), band.ShadeColor);
    if (!band.Logo.isEmpty()) page.Logos.push_back(band.Logo.translated(at));
    for (const TBandLine& line : band.Lines) page.Lines.push_back({line.Line.translated(at), line.Width, line.Color});
    const bool bold = band.BoldWhenColumn >= 0 && data != nullptr && !data->Value(row, band.BoldWhenColumn).empty();
    for (const TBandText& text : band.Texts) {
      if (!text.Visible) continue;
      QString value = text.Column >= 0 ? (data ? ReportText(data->Value(row, text.Column)) : QString()) : text.Text;
      if (value.isEmpty()) continue;
      TReportFontSpec font = text.Font;
      if (bold) font.Bold = true;
      page.Texts.push_back({text.Rect.translated(at), std::move(value), FontIndex(font), text.Flags, text.Color});
    }
    y_ += band.Height;
  }

  void NewSheet(const TReportPageDef& page) {
    out_.Pages.emplace_back();
    out_.Pages.back().Watermark = page.Watermark;
    out_.Pages.back().WatermarkText = page.WatermarkText;
    y_ = def_.MarginTop;
    Place(page.PageHeader, page.MainData, 0);
  }

  bool Fits(double height) const { return y_ + height <= Bottom() + 1e-9; }

  void RunPage(const TReportPageDef& page) {
    NewSheet(page);
    Place(page.Title, page.MainData, 0);
    const reports::TReportConnection* data = page.DetailData;
    const int rows = data ? data->RowCount() : 0;
    bool headed = false;  // the current sheet shows the headers of the current group
    std::string group;
    for (int row = 0; row < rows; ++row) {
      bool newGroup = false;
      if (page.GroupColumn >= 0) {
        std::string value = data->Value(row, page.GroupColumn);
        newGroup = row == 0 || value != group;
        group = std::move(value);
      }
      if (newGroup) headed = false;
      const double headers = page.GroupHeader.Height + page.ColumnHeader.Height;
      if (!Fits((headed ? 0 : headers) + page.Detail.Height)) {
        NewSheet(page);
        headed = false;
      }
      if (!headed) {
        Place(page.GroupHeader, data, row);
        Place(page.ColumnHeader, data, row);
        headed = true;
      }
      Place(page.Detail, data, row);
      if (page.LastRowColumn >= 0 && data->Value(row, page.LastRowColumn) == "1") {
        if (Fits(page.GroupFooter.Height)) Place(page.GroupFooter, data, row);
        if (page.NewSheetAfterGroup && row + 1 < rows) {
          NewSheet(page);
          headed = false;
        }
      }
    }
    if (page.Summary.Height > 0 && !Fits(page.Summary.Height)) NewSheet(page);
    Place(page.Summary, page.MainData, 0);
  }

  void AddFooters() {
    const int count = out_.PageCount();
    const TReportBand& footer = def_.PageFooter;
    if (footer.Height <= 0) return;
    for (int i = 0; i < count; ++i) {
      TPlacedPage& page = out_.Pages[static_cast<std::size_t>(i)];
      const QPointF at(0, def_.PageSize.height() - def_.MarginBottom - footer.Height);
      for (const TBandLine& line : footer.Lines) page.Lines.push_back({line.Line.translated(at), line.Width, line.Color});
      for (const TBandText& text : footer.Texts) {
        QString value = text.Text;
        value.replace(QStringLiteral("{page}"), QString::number(i + 1));
        value.replace(QStringLiteral("{pages}"), QString::number(count));
        page.Texts.push_back({text.Rect.translated(at), value, FontIndex(text.Font), text.Flags, text.Color});
      }
    }
  }

  const TReportDefinition& def_;
  TReportPages out_;
  double y_ = 0;
};

QRectF ToDevice(const QRectF& mm, double sx, double sy) {
  return QRectF(mm.x() * sx, mm.y() * sy, mm.width() * sx, mm.height() * sy);
}

void PaintWatermark(QPainter& painter, const QString& text, const QSizeF& pageMm, double sx, double sy) {
  painter.save();
  QFont font = ReportFont({90, true, false});
  painter.setFont(font);
  painter.setPen(QColor(200, 200, 200));
  painter.translate(pageMm.width() / 2 * sx, pageMm.height() / 2 * sy);
  painter.rotate(-55);
  const double w = pageMm.height() * sx;
  painter.drawText(QRectF(-w / 2, -w / 8, w, w / 4), Qt::AlignCenter, text);
  painter.restore();
}

}  // namespace

TBandText* TReportBand::FindText(const QString& name) {
  for (TBandText& text : Texts)
    if (text.Name == name) return &text;
  return nullptr;
}

TBandText& TReportBand::AddText(const QString& name, const QRectF& rect, const QString& text,
                                TReportFontSpec font, int flags) {
  TBandText t;
  t.Name = name;
  t.Rect = rect;
  t.Text = text;
  t.Font = font;
  t.Flags = flags;
  Texts.push_back(std::move(t));
  return Texts.back();
}

TBandText& TReportBand::AddField(const QString& name, const QRectF& rect, int column, TReportFontSpec font,
                                 int flags) {
  TBandText& t = AddText(name, rect, QString(), font, flags);
  t.Column = column;
  return t;
}

TReportBand* TReportPageDef::FindBand(const QString& name) {
  for (TReportBand* band : {&PageHeader, &Title, &GroupHeader, &ColumnHeader, &Detail, &GroupFooter, &Summary})
    if (band->Name == name) return band;
  return nullptr;
}

TReportPageDef* TReportDefinition::FindPage(const QString& name) {
  for (TReportPageDef& page : Pages)
    if (page.Name == name) return &page;
  return nullptr;
}

QStringList TReportPages::PageTexts(int page) const {
  QStringList texts;
  if (page < 0 || page >= PageCount()) return texts;
  for (const TPlacedText& text : Pages[static_cast<std::size_t>(page)].Texts) texts << text.Text;
  return texts;
}

TReportPages LayOutReport(const TReportDefinition& definition) { return TLayout(definition).Run(); }

void PaintDefaultLogo(QPainter& painter, const QRectF& rect) {
  painter.save();
  const QRectF box = rect.adjusted(rect.width() * 0.02, rect.height() * 0.05, -rect.width() * 0.02,
                                   -rect.height() * 0.05);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(31, 78, 140));
  painter.drawRoundedRect(box, box.height() * 0.15, box.height() * 0.15);
  painter.setPen(Qt::white);
  QFont font = ReportFont({10, true, false});
  font.setPixelSize(std::max(1, static_cast<int>(box.height() * 0.25)));
  painter.setFont(font);
  painter.drawText(box.adjusted(0, 0, 0, -box.height() * 0.5), Qt::AlignHCenter | Qt::AlignBottom,
                   QStringLiteral("Prijs"));
  painter.drawText(box.adjusted(0, box.height() * 0.5, 0, 0), Qt::AlignHCenter | Qt::AlignTop,
                   QStringLiteral("Correctum"));
  painter.restore();
}

void PaintReportPage(QPainter& painter, const TReportPages& pages, int index) {
  if (index < 0 || index >= pages.PageCount()) return;
  const TPlacedPage& page = pages.Pages[static_cast<std::size_t>(index)];
  QPaintDevice* device = painter.device();
  const double sx = device->logicalDpiX() / 25.4;
  const double sy = device->logicalDpiY() / 25.4;
  if (page.Watermark) PaintWatermark(painter, page.WatermarkText, pages.PageSize, sx, sy);
  for (const auto& [rect, color] : page.Shades) painter.fillRect(ToDevice(rect, sx, sy), color);
  for (const QRectF& rect : page.Logos) {
    const QRectF target = ToDevice(rect, sx, sy);
    if (pages.Logo.isNull()) {
      PaintDefaultLogo(painter, target);
    } else {
      QSizeF size = pages.Logo.size();
      size.scale(target.size(), Qt::KeepAspectRatio);
      const QRectF placed(target.topLeft(), size);
      painter.drawImage(placed, pages.Logo);
    }
  }
  for (const TBandLine& line : page.Lines) {
    painter.setPen(QPen(line.Color, line.Width * sx));
    painter.drawLine(QLineF(line.Line.x1() * sx, line.Line.y1() * sy, line.Line.x2() * sx, line.Line.y2() * sy));
  }
  std::vector<QFont> fonts;
  fonts.reserve(pages.Fonts.size());
  for (const TReportFontSpec& spec : pages.Fonts) fonts.push_back(ReportFont(spec));
  int current = -1;
  QColor color = Qt::black;
  painter.setPen(color);
  for (const TPlacedText& text : page.Texts) {
    if (text.Font != current) {
      current = text.Font;
      painter.setFont(fonts[text.Font]);
    }
    if (text.Color != color) {
      color = text.Color;
      painter.setPen(color);
    }
    painter.drawText(ToDevice(text.Rect, sx, sy), text.Flags, text.Text);
  }
}

}  // namespace pc::gui
