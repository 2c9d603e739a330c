#include "gui/update/online_index_info_form.h"

#include "gui/common/qt_text.h"
#include "ui_online_index_info_form.h"
#include "update/form_texts.h"

namespace pc::gui {

TfrmOnlineIndexInfo::TfrmOnlineIndexInfo(TWindowServices& window, const settings::KVAvailOnlineIndexRec& entry,
                                         QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::TfrmOnlineIndexInfo>()), window_(window) {
  ui_->setupUi(this);
  setFixedSize(578, 320);
  // Plain-text labels: an "&" in a name or memo shows as typed.
  ui_->LName->setText(ToQt(update::OnlineIndexTitle(entry.FileName)));
  ui_->LMemo->setText(ToQt(update::WithPlainLineBreaks(entry.Memo)));
  connect(ui_->BtnOk, &QPushButton::clicked, this, &TfrmOnlineIndexInfo::OpenIndexPage);
  connect(ui_->BtnCan, &QPushButton::clicked, this, &QDialog::reject);
}

TfrmOnlineIndexInfo::~TfrmOnlineIndexInfo() = default;

void TfrmOnlineIndexInfo::OpenIndexPage() {
  if (!window_.Shell().Open(std::string(update::kIndexWebPage)))
    window_.Messages().ShowMessage("De webpagina " + std::string(update::kIndexWebPage) + " kon niet worden geopend.");
  accept();
}

TfrmOnlineIndexInfo* ShowOnlineIndexInfo(TWindowServices& window, const settings::KVAvailOnlineIndexRec& entry,
                                         QWidget* parent) {
  auto* form = new TfrmOnlineIndexInfo(window, entry, parent);
  form->setAttribute(Qt::WA_DeleteOnClose);
  form->open();
  return form;
}

}  // namespace pc::gui
