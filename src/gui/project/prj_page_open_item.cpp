#include "gui/project/prj_page_open_item.h"

#include <algorithm>

#include "gui/common/qt_text.h"
#include "gui/project/logo_pixmap.h"
#include "ui_prj_page_open_item.h"

namespace pc::gui {

TfrmePrjPageOpenItem::TfrmePrjPageOpenItem(QWidget* parent)
    : TfrmePrjPageItem(parent), ui_(std::make_unique<Ui::TfrmePrjPageOpenItem>()) {
  ui_->setupUi(this);
}

TfrmePrjPageOpenItem::~TfrmePrjPageOpenItem() { ReleaseContent(); }

TTileBorder* TfrmePrjPageOpenItem::Border() const { return ui_->sBorder; }

void TfrmePrjPageOpenItem::Init(const TPrjPageOpenItemData& data) {
  SetData(data);
  LoadContent();
}

void TfrmePrjPageOpenItem::SetData(const TPrjPageOpenItemData& data) {
  data_ = data;
  FitToBorder();
  PlaceRightLabels();
}

void TfrmePrjPageOpenItem::LoadContent() {
  summary_ = project::ReadProjectSummary(data_.Path);
  ui_->lName->setText(ToQt(summary_.Name));
  ui_->lGever->setText(ToQt(summary_.Client));
  ui_->lNemer->setText(ToQt(summary_.Contractor));
  ui_->lFile->setText(PathToQt(data_.Path));
  ui_->lFile->setToolTip(PathToQt(data_.Path));
  ui_->lAanmaak->setText(QStringLiteral("Aangemaakt: ") + ToQt(summary_.Created));
  ui_->lWijz->setText(QStringLiteral("Laatst gewijzigd: ") + ToQt(summary_.Changed));
  PlaceRightLabels();
  QPixmap logo = summary_.Logo ? PictureToPixmap(*summary_.Logo) : QPixmap();
  if (logo.isNull()) logo = DefaultLogoPixmap();
  ui_->imgLogo->setPixmap(FitLogo(logo));
  // A file that is there but cannot be read says so on its tile.
  const bool problem = summary_.FileFound && !summary_.Readable;
  ui_->lProblem->setText(problem ? ToQt(summary_.Problem) : QString());
  ui_->lProblem->setVisible(problem);
  if (problem) {
    ui_->sBorder->resize(ui_->sBorder->width(), 105);
    FitToBorder();
  }
}

void TfrmePrjPageOpenItem::ReleaseContent() {
  if (ui_) ui_->imgLogo->clear();
  summary_.Logo.reset();
}

void TfrmePrjPageOpenItem::PlaceRightLabels() {
  const int right = ui_->sBorder->geometry().right() - 8;
  int dateLeft = right;
  for (QLabel* label : {ui_->lAanmaak, ui_->lWijz}) {
    label->adjustSize();
    label->move(right - label->width() + 1, label->y());
    dateLeft = std::min(dateLeft, label->x());
  }
  // Client and contractor end where the dates begin.
  for (QLabel* label : {ui_->lGever, ui_->lNemer})
    label->resize(std::max(0, dateLeft - 8 - label->x()), label->height());
  ui_->lFile->resize(std::max(0, right - ui_->lFile->x() + 1), ui_->lFile->height());
  ui_->lProblem->resize(ui_->lFile->width(), ui_->lProblem->height());
}

void TfrmePrjPageOpenItem::resizeEvent(QResizeEvent* event) {
  TfrmePrjPageItem::resizeEvent(event);
  PlaceRightLabels();
}

}  // namespace pc::gui
