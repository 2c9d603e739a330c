#include "gui/project/index_switch_dialog.h"

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QStyle>

#include "gui/common/qt_text.h"
#include "ui_index_switch_dialog.h"

namespace pc::gui {
namespace {
constexpr int kRowHeight = 32;
constexpr int kChoiceWidth = 220;
}  // namespace

TFrmIndexSwitchBDMerge::TFrmIndexSwitchBDMerge(const std::vector<std::string>& fileComponents,
                                               const std::vector<project::TMissingComponent>& missing,
                                               QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::TFrmIndexSwitchBDMerge>()) {
  ui_->setupUi(this);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  ui_->Image1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(40, 40));
  ui_->Image2->setPixmap(style()->standardIcon(QStyle::SP_FileDialogDetailedView).pixmap(40, 40));
  ui_->Image3->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(40, 40));
  ui_->Label4->setText(QStringLiteral("Selecteer nieuwe indexen voor de onderstaande ") +
                       QStringLiteral("bestanddelen"));
  const std::vector<project::TReplacementChoice> choices = project::ReplacementChoices(fileComponents);
  auto* layout = static_cast<QBoxLayout*>(ui_->sbContent->layout());
  for (const project::TMissingComponent& component : missing) {
    auto* panel = new QFrame(ui_->sbContent);
    panel->setFixedHeight(kRowHeight);
    panel->setAutoFillBackground(true);
    panel->setMouseTracking(true);
    panel->installEventFilter(this);
    auto* name = new QLabel(ToQt(component.Name), panel);
    name->move(4, 4);
    const std::string percentage = project::MissingPercentageText(component.Percentage);
    if (!percentage.empty()) {
      auto* second = new QLabel(ToQt(percentage), panel);
      second->move(4, 16);
    }
    auto* choice = new QComboBox(panel);
    for (const project::TReplacementChoice& c : choices) choice->addItem(ToQt(c.Caption), c.Answer);
    choice->setCurrentIndex(0);
    choice->setFixedWidth(kChoiceWidth);
    layout->insertWidget(layout->count() - 1, panel);
    rows_.push_back({panel, choice});
  }
  ui_->sbContent->installEventFilter(this);
  connect(ui_->BtnOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(ui_->btnCan, &QPushButton::clicked, this, &QDialog::reject);
  ui_->BtnOk->setDefault(true);
}

TFrmIndexSwitchBDMerge::~TFrmIndexSwitchBDMerge() = default;

std::vector<int> TFrmIndexSwitchBDMerge::Answers() const {
  std::vector<int> answers;
  for (const TRow& row : rows_) answers.push_back(row.Choice->currentData().toInt());
  return answers;
}

void TFrmIndexSwitchBDMerge::Highlight(QFrame* panel) {
  if (highlighted_ == panel) return;
  if (highlighted_) highlighted_->setPalette(palette());
  highlighted_ = panel;
  if (panel) {
    QPalette lit = panel->palette();
    lit.setColor(QPalette::Window, QColor(213, 225, 227));
    panel->setPalette(lit);
  }
}

bool TFrmIndexSwitchBDMerge::eventFilter(QObject* watched, QEvent* event) {
  for (const TRow& row : rows_) {
    if (watched != row.Panel) continue;
    if (event->type() == QEvent::Resize)
      row.Choice->move(row.Panel->width() - 4 - kChoiceWidth, 6);
    if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove) Highlight(row.Panel);
    if (event->type() == QEvent::MouseButtonRelease) row.Choice->setFocus(Qt::MouseFocusReason);
  }
  if (watched == ui_->sbContent && event->type() == QEvent::Enter) Highlight(nullptr);
  return QDialog::eventFilter(watched, event);
}

}  // namespace pc::gui
