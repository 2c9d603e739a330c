#include "gui/project/prj_page_new_item.h"

#include <QStyle>

#include "gui/common/qt_text.h"
#include "ui_prj_page_new_item.h"

namespace pc::gui {
namespace {

// The caption as rich text: everything escaped except the bold tags.
QString CaptionMarkup(const QString& caption) {
  QString html = caption.toHtmlEscaped();
  html.replace(QStringLiteral("&lt;b&gt;"), QStringLiteral("<b>"), Qt::CaseInsensitive);
  html.replace(QStringLiteral("&lt;/b&gt;"), QStringLiteral("</b>"), Qt::CaseInsensitive);
  return html;
}

}  // namespace

TfrmePrjPageNewItem::TfrmePrjPageNewItem(QWidget* parent)
    : TfrmePrjPageItem(parent), ui_(std::make_unique<Ui::TfrmePrjPageNewItem>()) {
  ui_->setupUi(this);
  ui_->imgIcon->setPixmap(style()->standardIcon(QStyle::SP_FileIcon).pixmap(48, 48));
}

TfrmePrjPageNewItem::~TfrmePrjPageNewItem() { ReleaseContent(); }

TTileBorder* TfrmePrjPageNewItem::Border() const { return ui_->sBorder; }

void TfrmePrjPageNewItem::Init(const project::TNewProjectTemplate& data) {
  SetData(data);
  LoadContent();
}

void TfrmePrjPageNewItem::SetData(const project::TNewProjectTemplate& data) {
  data_ = data;
  FitToBorder();
}

void TfrmePrjPageNewItem::LoadContent() {
  ui_->lCap->setText(CaptionMarkup(ToQt(data_.Caption)));
  const project::TNewTileLines lines = project::NewTileLines(data_);
  ui_->lOpdrGev->setText(ToQt(lines.Client));
  ui_->lOpdrNem->setText(ToQt(lines.Contractor));
  ui_->lDatum->setText(ToQt(lines.Date));
}

}  // namespace pc::gui
