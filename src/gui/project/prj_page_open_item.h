// TfrmePrjPageOpenItem: a start tile for a recently opened project file,
// showing its name, client, contractor, file dates and logo.
#pragma once

#include <memory>
#include <string>

#include "gui/project/prj_page_item.h"
#include "project/start_tiles.h"

namespace Ui {
class TfrmePrjPageOpenItem;
}

namespace pc::gui {

// prjPageOpenItemDataRec: the project file's full path (bytes).
struct TPrjPageOpenItemData {
  std::string Path;
};

class TfrmePrjPageOpenItem : public TfrmePrjPageItem {
  Q_OBJECT
 public:
  explicit TfrmePrjPageOpenItem(QWidget* parent = nullptr);
  ~TfrmePrjPageOpenItem() override;

  // SetData, then LoadContent.
  void Init(const TPrjPageOpenItemData& data);
  void SetData(const TPrjPageOpenItemData& data);
  void LoadContent() override;
  void ReleaseContent() override;
  TTileBorder* Border() const override;

  const std::string& Path() const { return data_.Path; }
  const project::TProjectSummary& Summary() const { return summary_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void PlaceRightLabels();

  std::unique_ptr<Ui::TfrmePrjPageOpenItem> ui_;
  TPrjPageOpenItemData data_;
  project::TProjectSummary summary_;
};

}  // namespace pc::gui
