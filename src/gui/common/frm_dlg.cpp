#include "gui/common/frm_dlg.h"

#include <QStyle>

#include "gui/common/qt_text.h"
#include "ui_frm_dlg.h"

namespace pc::gui {
namespace {

QFont Bold(QFont font) {
  font.setBold(true);
  return font;
}

QPixmap StandardPicture(const QWidget* widget, QStyle::StandardPixmap which, int size) {
  return widget->style()->standardIcon(which, nullptr, widget).pixmap(size, size);
}

}  // namespace

TFrmDlg::TFrmDlg(QWidget* owner, TDialogMode mode, const std::string& text1, const std::string& text2)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui::TFrmDlg>()) {
  ui_->setupUi(this);
  setWindowTitle(QString::fromLatin1(kAppTitle));
  for (QWidget* hidden : {static_cast<QWidget*>(ui_->PnlIndexDelete), static_cast<QWidget*>(ui_->PnlSaveQuery),
                          static_cast<QWidget*>(ui_->PnlMessage), static_cast<QWidget*>(ui_->BtnJa),
                          static_cast<QWidget*>(ui_->BtnNee), static_cast<QWidget*>(ui_->BtnAnnuleren),
                          static_cast<QWidget*>(ui_->BtnSluiten)})
    hidden->hide();
  for (TDialogAnswer answer : {TDialogAnswer::daJa, TDialogAnswer::daNee, TDialogAnswer::daAnnuleren,
                               TDialogAnswer::daSluiten}) {
    Button(answer)->setText(QString::fromLatin1(ButtonCaption(answer)));
    connect(Button(answer), &QPushButton::clicked, this, [this, answer] {
      answer_ = answer;
      accept();
    });
  }
  const TDialogContent content = DialogContent(mode, text1, text2);
  ShowContent(content);
  PlaceButtons(content);
}

TFrmDlg::~TFrmDlg() = default;

QPushButton* TFrmDlg::Button(TDialogAnswer answer) const {
  switch (answer) {
    case TDialogAnswer::daJa: return ui_->BtnJa;
    case TDialogAnswer::daNee: return ui_->BtnNee;
    case TDialogAnswer::daAnnuleren: return ui_->BtnAnnuleren;
    case TDialogAnswer::daSluiten: return ui_->BtnSluiten;
    default: return nullptr;
  }
}

void TFrmDlg::ShowContent(const TDialogContent& content) {
  const QFont bold = Bold(font());
  switch (content.Panel) {
    case TDialogPanel::IndexDelete:
      ui_->ImgIndexDelete->setPixmap(StandardPicture(this, QStyle::SP_MessageBoxWarning, 32));
      ui_->LblIndexDeleteBold->setFont(bold);
      ui_->LblIndexDeleteBold->setText(ToQt(content.BoldText));
      ui_->LblIndexDeleteBody->setText(ToQt(content.BodyText));
      ui_->PnlIndexDelete->show();
      break;
    case TDialogPanel::SaveQuery: {
      ui_->ImgSaveQuery->setPixmap(StandardPicture(this, QStyle::SP_MessageBoxQuestion, 32));
      const QPixmap document = StandardPicture(this, QStyle::SP_FileIcon, 16);
      ui_->ImgProjectName->setPixmap(document);
      ui_->ImgFileName->setPixmap(document);
      ui_->LblSaveQueryBold->setFont(bold);
      ui_->LblSaveQueryBold->setText(ToQt(content.BoldText));
      ui_->LblProjectName->setText(content.Lines.size() > 0 ? ToQt(content.Lines[0]) : QString());
      ui_->LblFileName->setText(content.Lines.size() > 1 ? ToQt(content.Lines[1]) : QString());
      ui_->LblSaveQueryBody->setText(ToQt(content.BodyText));
      ui_->PnlSaveQuery->show();
      break;
    }
    case TDialogPanel::Message:
      ui_->ImgMessage->setPixmap(StandardPicture(this, QStyle::SP_MessageBoxInformation, 32));
      ui_->LblMessage->setFont(bold);
      ui_->LblMessage->setText(ToQt(content.BoldText));
      ui_->PnlMessage->show();
      break;
  }
  setFixedSize(kDialogClientWidth, DialogClientHeight(content.PanelHeight));
}

void TFrmDlg::PlaceButtons(const TDialogContent& content) {
  const std::vector<int> lefts = DialogButtonLefts(content.Buttons, kDialogClientWidth);
  for (std::size_t i = 0; i < content.Buttons.size(); ++i) {
    QPushButton* button = Button(content.Buttons[i]);
    button->move(lefts[i], (kDialogButtonPanelHeight - kDialogButtonHeight) / 2);
    button->show();
  }
  // The default button answers Enter and has the focus; in question mode no
  // button is the default.
  if (QPushButton* button = Button(content.DefaultButton)) {
    button->setDefault(true);
    button->setFocus();
  }
}

TDialogAnswer ExecuteDialog(QWidget* owner, TDialogMode mode, const std::string& text1,
                            const std::string& text2) {
  TFrmDlg dialog(owner, mode, text1, text2);
  dialog.exec();
  return dialog.Answer();
}

}  // namespace pc::gui
