#include "gui/update/view_log_form.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QStyle>

#include "gui/common/qt_text.h"
#include "gui/common/send_mail.h"
#include "gui/common/link_label.h"
#include "ui_view_log_form.h"
#include "update/form_texts.h"

namespace pc::gui {

TfrmViewLog::TfrmViewLog(TWindowServices& window, const update::TLog& log,
                         std::function<void(QWidget*)> openConnectionSettings, QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::TfrmViewLog>()),
      window_(window),
      log_(log),
      lines_(log.Lines()),
      openConnectionSettings_(std::move(openConnectionSettings)) {
  ui_->setupUi(this);
  setFixedSize(430, 407);
  ui_->ICopy->setPixmap(style()->standardIcon(QStyle::SP_FileDialogContentsView).pixmap(16, 16));
  ui_->IMail->setPixmap(style()->standardIcon(QStyle::SP_DialogSaveButton).pixmap(16, 16));
  ui_->ICfg->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(16, 16));
  // The lines as the log file holds them; an entry of several lines (a
  // received file) keeps its own line breaks.
  std::string text = update::LogText(lines_);
  if (text.ends_with("\r\n")) text.resize(text.size() - 2);
  ui_->edtLog->setPlainText(ToQt(update::WithPlainLineBreaks(text)));
  connect(ui_->lCopy, &TLinkLabel::clicked, this, &TfrmViewLog::CopyToClipboard);
  connect(ui_->lMail, &TLinkLabel::clicked, this, &TfrmViewLog::MailLog);
  connect(ui_->lCfg, &TLinkLabel::clicked, this, [this] {
    if (openConnectionSettings_) openConnectionSettings_(this);
  });
  connect(ui_->btnClose, &QPushButton::clicked, this, &QDialog::reject);
}

TfrmViewLog::~TfrmViewLog() = default;

QString TfrmViewLog::LogText() const { return ui_->edtLog->toPlainText(); }

void TfrmViewLog::CopyToClipboard() {
  std::string text = update::LogText(lines_);
  if (text.ends_with("\r\n")) text.resize(text.size() - 2);
  QGuiApplication::clipboard()->setText(ToQt(text));
  window_.Messages().ShowMessage("Het logboek is naar het klembord gekopieerd.");
}

void TfrmViewLog::MailLog() {
  std::string path;
  if (!log_.SaveCopy(path)) {
    window_.Messages().ShowMessage("Het logboek kon niet worden opgeslagen om te versturen.");
    return;
  }
  SendMail(window_, "Logboek", "Logboek", path, std::string(update::kSupportEmail));
}

TfrmViewLog* ShowLog(TWindowServices& window, const update::TLog& log,
                     std::function<void(QWidget*)> openConnectionSettings, QWidget* parent) {
  auto* viewer = new TfrmViewLog(window, log, std::move(openConnectionSettings), parent);
  viewer->setAttribute(Qt::WA_DeleteOnClose);
  viewer->open();
  return viewer;
}

}  // namespace pc::gui
