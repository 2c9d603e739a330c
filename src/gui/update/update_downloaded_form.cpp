#include "gui/update/update_downloaded_form.h"

#include <QInputDialog>
#include <QStyle>

#include "gui/common/qt_text.h"
#include "gui/common/send_mail.h"
#include "gui/common/link_label.h"
#include "ui_update_downloaded_form.h"
#include "update/form_texts.h"

namespace pc::gui {

TfrmUpdateDownloaded::TfrmUpdateDownloaded(TWindowServices& window, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::TfrmUpdateDownloaded>()), window_(window) {
  ui_->setupUi(this);
  setFixedSize(319, 188);
  ui_->IQuestion->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
  ui_->edtSysEmail->setText(ToQt(window_.Settings().sysEmail));
  inputQuery = [this](const QString& title, const QString& prompt) {
    return QInputDialog::getText(this, title, prompt);
  };
  connect(ui_->btnYes, &QPushButton::clicked, this, &QDialog::accept);
  connect(ui_->btnNo, &QPushButton::clicked, this, &QDialog::reject);
  connect(ui_->LInform, &TLinkLabel::clicked, this, &TfrmUpdateDownloaded::InformAdministrator);
  connect(this, &QDialog::finished, this, [this] {
    settings::TKVConfig& settings = window_.Settings();
    settings.sysEmail = FromQt(ui_->edtSysEmail->text());
    if (ui_->cbNoMore->isChecked()) settings.ignoreDownloadedCoreFile = settings.LastDownloadedCoreFile;
  });
}

TfrmUpdateDownloaded::~TfrmUpdateDownloaded() = default;

void TfrmUpdateDownloaded::InformAdministrator() {
  QString address = ui_->edtSysEmail->text().trimmed();
  if (address.isEmpty() && inputQuery) {
    ui_->edtSysEmail->setText(
        inputQuery(QStringLiteral("Beheerder email"), QStringLiteral("Wat is het email adres van uw beheerder?")));
    address = ui_->edtSysEmail->text().trimmed();
  }
  if (address.isEmpty()) return;
  const int sent = SendMail(window_, std::string(update::kAdminMailSubject), update::AdminMailBody(), {},
                            FromQt(address));
  if (sent == 0 || sent == 1) ui_->cbNoMore->setChecked(true);
  reject();
}

TfrmUpdateDownloaded* AskInstallNewVersion(TWindowServices& window, QWidget* parent,
                                           std::function<void(bool install)> answered) {
  auto* form = new TfrmUpdateDownloaded(window, parent);
  form->setAttribute(Qt::WA_DeleteOnClose);
  QObject::connect(form, &QDialog::finished, parent,
                   [answered = std::move(answered)](int result) { answered(result == QDialog::Accepted); });
  form->open();
  return form;
}

}  // namespace pc::gui
