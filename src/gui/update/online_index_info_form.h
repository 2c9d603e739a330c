// TfrmOnlineIndexInfo: "Online index informatie", about an index table the
// update server offers online; "Ja" opens the maker's index web page.
#pragma once

#include <QDialog>
#include <memory>

#include "gui/common/window_services.h"
#include "settings/index_info_records.h"

namespace Ui {
class TfrmOnlineIndexInfo;
}

namespace pc::gui {

class TfrmOnlineIndexInfo final : public QDialog {
  Q_OBJECT
 public:
  TfrmOnlineIndexInfo(TWindowServices& window, const settings::KVAvailOnlineIndexRec& entry, QWidget* parent);
  ~TfrmOnlineIndexInfo() override;

 private:
  void OpenIndexPage();

  std::unique_ptr<Ui::TfrmOnlineIndexInfo> ui_;
  TWindowServices& window_;
};

// ShowOnlineIndexInfo: opens the dialog window-modal over `parent` without
// blocking and returns it; it deletes itself when closed.
TfrmOnlineIndexInfo* ShowOnlineIndexInfo(TWindowServices& window, const settings::KVAvailOnlineIndexRec& entry,
                                         QWidget* parent);

}  // namespace pc::gui
