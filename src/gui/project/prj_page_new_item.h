// TfrmePrjPageNewItem: a start tile that starts a new project from a
// template (name, client, contractor, price reference date).
#pragma once

#include <memory>

#include "gui/project/prj_page_item.h"
#include "project/start_tiles.h"

namespace Ui {
class TfrmePrjPageNewItem;
}

namespace pc::gui {

class TfrmePrjPageNewItem : public TfrmePrjPageItem {
  Q_OBJECT
 public:
  explicit TfrmePrjPageNewItem(QWidget* parent = nullptr);
  ~TfrmePrjPageNewItem() override;

  // SetData, then LoadContent.
  void Init(const project::TNewProjectTemplate& data);
  void SetData(const project::TNewProjectTemplate& data);
  void LoadContent() override;
  TTileBorder* Border() const override;

  const project::TNewProjectTemplate& Data() const { return data_; }

 private:
  std::unique_ptr<Ui::TfrmePrjPageNewItem> ui_;
  project::TNewProjectTemplate data_;
};

}  // namespace pc::gui
