// TFrmeUpdateConfig: the choice between automatic updates and none, shown as
// the first page of the options dialog.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>

#include "settings/kv_config.h"

namespace Ui {
class TFrmeUpdateConfig;
}

namespace pc::gui {

class TFrmeUpdateConfig final : public QWidget {
  Q_OBJECT
 public:
  explicit TFrmeUpdateConfig(QWidget* parent = nullptr);
  ~TFrmeUpdateConfig() override;

  void Load(const settings::TKVConfig& settings);
  void Save(settings::TKVConfig& settings) const;

  // Called when the user clicks either choice.
  std::function<void()> onChange;

 private:
  std::unique_ptr<Ui::TFrmeUpdateConfig> ui_;
};

}  // namespace pc::gui
