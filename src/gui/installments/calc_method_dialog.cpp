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
  // The panels colour under the pointer; their titles and descriptions
  // choose their method when clicked.
  const QObject* frames[] = {ui_->shDefCalc, ui_->shSimpCalc};
  const QObject* texts[2][2] = {{ui_->lDefCalcTitle, ui_->lDefCalcText}, {ui_->lSimpCalcTitle, ui_->lSimpCalcText}};
  for (int panel = 0; panel < 2; ++panel) {
    if (watched == frames[panel]) {
      if (event->type() == QEvent::Enter) SetHover(panel);
      if (event->type() == QEvent::Leave) SetHover(-1);
    }
    const bool isText = watched == texts[panel][0] || watched == texts[panel][1];
    if (isText && event->type() == QEvent::MouseButtonRelease &&
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
