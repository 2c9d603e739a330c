#include "gui/reports/print_bd_dialog.h"

#include <QListWidgetItem>
#include <QPushButton>

#include "gui/common/qt_text.h"
#include "ui_print_bd_dialog.h"

namespace pc::gui {

TPrintBD::TPrintBD(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::TPrintBD>()) {
  ui_->setupUi(this);
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  connect(ui_->Label1, &QLabel::linkActivated, this, [this] { CheckAll(true); });
  connect(ui_->Label2, &QLabel::linkActivated, this, [this] { CheckAll(false); });
  connect(ui_->CheckListBox1, &QListWidget::itemChanged, this, [this] { UpdateContinue(); });
  connect(ui_->Button2, &QPushButton::clicked, this, &QDialog::accept);
  connect(ui_->Button3, &QPushButton::clicked, this, &QDialog::reject);
}

TPrintBD::~TPrintBD() = default;

void TPrintBD::SetChoices(const std::vector<reports::TComponentChoice>& choices, int firstSelected) {
  QSignalBlocker block(ui_->CheckListBox1);
  ui_->CheckListBox1->clear();
  for (const reports::TComponentChoice& choice : choices) {
    auto* item = new QListWidgetItem(ToQt(choice.Caption), ui_->CheckListBox1);
    Qt::ItemFlags flags = Qt::ItemIsUserCheckable | Qt::ItemIsSelectable;
    if (choice.Enabled) flags |= Qt::ItemIsEnabled;
    item->setFlags(flags);
    item->setCheckState(Qt::Unchecked);
  }
  firstSelected_ = firstSelected;
  CheckAll(true);
}

void TPrintBD::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  ui_->CheckListBox1->setFocus();
  if (firstSelected_ >= 0 && firstSelected_ < ui_->CheckListBox1->count())
    ui_->CheckListBox1->setCurrentRow(firstSelected_);
}

void TPrintBD::CheckAll(bool checked) {
  {
    QSignalBlocker block(ui_->CheckListBox1);
    for (int i = 0; i < ui_->CheckListBox1->count(); ++i) {
      QListWidgetItem* item = ui_->CheckListBox1->item(i);
      if (item->flags().testFlag(Qt::ItemIsEnabled)) item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }
  }
  UpdateContinue();
}

std::vector<int> TPrintBD::CheckedPositions() const {
  std::vector<int> positions;
  for (int i = 0; i < ui_->CheckListBox1->count(); ++i)
    if (ui_->CheckListBox1->item(i)->checkState() == Qt::Checked) positions.push_back(i + 1);
  return positions;
}

bool TPrintBD::WithOverview() const { return ui_->CBDoOverview->isChecked(); }

bool TPrintBD::CanContinue() const { return ui_->Button2->isEnabled(); }

void TPrintBD::UpdateContinue() { ui_->Button2->setEnabled(!CheckedPositions().empty()); }

}  // namespace pc::gui
