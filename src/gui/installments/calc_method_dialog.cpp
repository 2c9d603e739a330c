#include "gui/installments/calc_method_dialog.h"

#include <QEvent>
#include <QMouseEvent>

#include "gui/common/qt_text.h"
#include "ui_calc_method_dialog.h"

namespace pc::gui {
namespace {

QString Css(const TRgb& c) { return QStringLiteral("rgb(%1, %2, %3)").arg(c.R).arg(c.G).arg(c.B); }

}  // namespace

TfrmCalcKindSelect::TfrmCalcKindSelect(int currentMethod, platform::TShellOpen& shell, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::TfrmCalcKindSelect>()), choice_(currentMethod), shell_(shell) {
  ui_->setupUi(this);
  setWindowTitle(ToQt(kMethodDialogCaption));
  ui_->lDefCalcTitle->setText(ToQt(kOfficialMethodName));
  ui_->lDefCalcText->setText(ToQt(kOfficialMethodText));
  ui_->lSimpCalcTitle->setText(ToQt(kSimplifiedMethodName));
  ui_->lSimpCalcText->setText(ToQt(kSimplifiedMethodText));
  for (QWidget* w : {ui_->lDefCalcTitle, ui_->lDefCalcText, ui_->lSimpCalcTitle, ui_->lSimpCalcText}) {
    w->installEventFilter(this);
    w->setCursor(Qt::PointingHandCursor);
  }
  ui_->shDefCalc->installEventFilter(this);
  ui_->shSimpCalc->installEventFilter(this);
  connect(ui_->lDefCalcInfo, &TLinkLabel::clicked, this, [this] { OpenInfoPage(0); });
  connect(ui_->lSimpCalcInfo, &TLinkLabel::clicked, this, [this] { OpenInfoPage(1); });
  connect(ui_->BtnToepassen, &QPushButton::clicked, this, &QDialog::accept);
  connect(ui_->BtnAnnuleer, &QPushButton::clicked, this, &QDialog::reject);
  ui_->BtnToepassen->setDefault(true);
  PaintPanels();
}

TfrmCalcKindSelect::~TfrmCalcKindSelect() = default;

bool TfrmCalcKindSelect::eventFilter(QObject* watched, QEvent* event) {
  const int panel = watched == ui_->shDefCalc || watched == ui_->lDefCalcTitle || watched == ui_->lDefCalcText ? 0
                    : watched == ui_->shSimpCalc || watched == ui_->lSimpCalcTitle ||
                            watched == ui_->lSimpCalcText
                        ? 1
                        : -1;
  if (panel >= 0) {
    if ((watched == ui_->shDefCalc || watched == ui_->shSimpCalc) && event->type() == QEvent::Enter)
      SetHover(panel);
    if ((watched == ui_->shDefCalc || watched == ui_->shSimpCalc) && event->type() == QEvent::Leave)
      SetHover(-1);
    if (event->type() == QEvent::MouseButtonRelease && watched != ui_->shDefCalc && watched != ui_->shSimpCalc &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
      ChoosePanel(panel);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TfrmCalcKindSelect::ChoosePanel(int panel) {
  if (choice_.Selected() != panel) choice_.Flip();
  PaintPanels();
}

void TfrmCalcKindSelect::SetHover(int panel) {
  choice_.SetHover(panel);
  PaintPanels();
}

void TfrmCalcKindSelect::PaintPanels() {
  const QString style = QStringLiteral(
      "QFrame#%1 { background: %2; border: 1px solid rgb(144, 195, 255); border-radius: 10px; }");
  ui_->shDefCalc->setStyleSheet(style.arg(QStringLiteral("shDefCalc"), Css(choice_.PanelColour(0))));
  ui_->shSimpCalc->setStyleSheet(style.arg(QStringLiteral("shSimpCalc"), Css(choice_.PanelColour(1))));
}

void TfrmCalcKindSelect::OpenInfoPage(int method) {
  shell_.Open(CalculationMethodInfoUrl(kMakerSiteBaseUrl, method));
}

int ChooseCalculationMethod(QWidget* parent, int currentMethod, platform::TShellOpen& shell) {
  TfrmCalcKindSelect dialog(currentMethod, shell, parent);
  dialog.exec();
  return dialog.Chosen();
}

}  // namespace pc::gui
