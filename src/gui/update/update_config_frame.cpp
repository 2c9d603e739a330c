#include "gui/update/update_config_frame.h"

#include <QStyle>

#include "ui_update_config_frame.h"

namespace pc::gui {

TFrmeUpdateConfig::TFrmeUpdateConfig(QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::TFrmeUpdateConfig>()) {
  ui_->setupUi(this);
  ui_->IOn->setPixmap(style()->standardIcon(QStyle::SP_BrowserReload).pixmap(32, 32));
  ui_->IOff->setPixmap(style()->standardIcon(QStyle::SP_BrowserStop).pixmap(32, 32));
  for (QRadioButton* choice : {ui_->CBOn, ui_->CBOff})
    connect(choice, &QRadioButton::clicked, this, [this] {
      if (onChange) onChange();
    });
}

TFrmeUpdateConfig::~TFrmeUpdateConfig() = default;

void TFrmeUpdateConfig::Load(const settings::TKVConfig& settings) {
  (settings.Enabled ? ui_->CBOn : ui_->CBOff)->setChecked(true);
}

void TFrmeUpdateConfig::Save(settings::TKVConfig& settings) const { settings.Enabled = ui_->CBOn->isChecked(); }

}  // namespace pc::gui
