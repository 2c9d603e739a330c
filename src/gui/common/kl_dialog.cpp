#include "gui/common/kl_dialog.h"

#include <QApplication>
#include <QFontMetrics>
#include <algorithm>

#include "common/messages.h"
#include "gui/common/qt_text.h"
#include "ui_kl_dialog.h"

namespace pc::gui {
namespace {

constexpr int kLabelTop = 14;
constexpr int kButtonTop = 42;
constexpr int kBottomMargin = 12;

}  // namespace

TKlDialog1::TKlDialog1(QWidget* owner, const std::string& title, const std::string& text,
                       const std::string& caption1, const std::string& caption2, const std::string& caption3,
                       int width, int focusButton)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui::TKlDialog1>()) {
  ui_->setupUi(this);
  const TAskLayout layout = AskLayout(width, focusButton, !caption2.empty(), !caption3.empty(),
                                      ui_->Button1->width());
  setWindowTitle(ToQt(title));
  ui_->Label1->setText(ToQt(text));
  ui_->Label1->setGeometry(4, kLabelTop, layout.LabelWidth, ui_->Label1->sizeHint().height());
  // A text of several lines pushes the buttons down instead of under them.
  const int buttonTop = std::max(kButtonTop, kLabelTop + ui_->Label1->height() + 8);
  const std::string* captions[3] = {&caption1, &caption2, &caption3};
  QPushButton* byTabOrder[3] = {};
  for (int k = 1; k <= 3; ++k) {
    QPushButton* button = Button(k);
    const auto i = static_cast<std::size_t>(k - 1);
    button->setText(ToQt(*captions[i]));
    button->move(layout.ButtonLeft[i], buttonTop);
    button->setVisible(k <= layout.ButtonCount && (k == 1 || !captions[i]->empty()));
    button->setAutoDefault(false);
    byTabOrder[layout.TabOrder[i]] = button;
    connect(button, &QPushButton::clicked, this, [this, k] { done(k); });
  }
  setTabOrder(byTabOrder[0], byTabOrder[1]);
  setTabOrder(byTabOrder[1], byTabOrder[2]);
  QPushButton* first = Button(layout.FocusedButton);
  first->setDefault(true);
  first->setFocus();
  setFixedSize(width, buttonTop + ui_->Button1->height() + kBottomMargin);
}

TKlDialog1::~TKlDialog1() = default;

QPushButton* TKlDialog1::Button(int k) const {
  switch (k) {
    case 1: return ui_->Button1;
    case 2: return ui_->Button2;
    case 3: return ui_->Button3;
    default: return nullptr;
  }
}

int Ask(QWidget* owner, const std::string& title, const std::string& text, const std::string& caption1,
        const std::string& caption2, const std::string& caption3, int width, int focusButton) {
  TKlDialog1 dialog(owner, title, text, caption1, caption2, caption3, width, focusButton);
  // Escape and the close box reject: result 0.
  return dialog.exec();
}

int ShowMessageDialogWidth(const QWidget* owner, const std::string& text) {
  const QFontMetrics metrics(owner ? owner->font() : QApplication::font());
  return ShowMessageWidth(metrics.horizontalAdvance(ToQt(text)));
}

void ShowMessage(QWidget* owner, const std::string& text) {
  Ask(owner, kAppTitle, text, kCaptionOk, "", "", ShowMessageDialogWidth(owner, text), 1);
}

}  // namespace pc::gui
