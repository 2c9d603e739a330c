#include "gui/app/message_dialog.h"

#include <QMessageBox>
#include <QPushButton>
#include <map>

#include "gui/common/qt_text.h"

namespace pc::gui {

TDialogAnswer TQtMessages::ExecuteDialog(TDialogMode mode, const std::string& text1,
                                         const std::string& text2) {
  const TDialogContent content = DialogContent(mode, text1, text2);
  QMessageBox box(parent_);
  box.setWindowTitle(QString::fromLatin1(kAppTitle));
  box.setText(ToQt(content.BoldText));
  QString info;
  for (const std::string& line : content.Lines) info += ToQt(line) + QLatin1Char('\n');
  if (!content.BodyText.empty()) info += ToQt(content.BodyText);
  box.setInformativeText(info.trimmed());
  std::map<QAbstractButton*, TDialogAnswer> answers;
  for (TDialogAnswer answer : content.Buttons) {
    QPushButton* button = box.addButton(ToQt(ButtonCaption(answer)), QMessageBox::ActionRole);
    answers[button] = answer;
    if (answer == content.DefaultButton) box.setDefaultButton(button);
    if (answer == TDialogAnswer::daAnnuleren || answer == TDialogAnswer::daSluiten) box.setEscapeButton(button);
  }
  box.exec();
  const auto it = answers.find(box.clickedButton());
  return it == answers.end() ? TDialogAnswer::daNone : it->second;
}

int TQtMessages::Ask(const std::string& title, const std::string& text, const std::string& caption1,
                     const std::string& caption2, const std::string& caption3, int /*width*/,
                     int focusButton) {
  QMessageBox box(parent_);
  box.setWindowTitle(ToQt(title));
  box.setText(ToQt(text));
  QPushButton* buttons[3] = {};
  const std::string* captions[3] = {&caption1, &caption2, &caption3};
  for (int i = 0; i < 3; ++i) {
    if (i > 0 && captions[i]->empty()) continue;
    buttons[i] = box.addButton(ToQt(*captions[i]), QMessageBox::ActionRole);
    if (focusButton == i + 1) box.setDefaultButton(buttons[i]);
  }
  box.exec();
  for (int i = 0; i < 3; ++i)
    if (buttons[i] && box.clickedButton() == buttons[i]) return i + 1;
  return 0;
}

void TQtMessages::ShowMessage(const std::string& text) {
  QMessageBox box(parent_);
  box.setWindowTitle(QString::fromLatin1(kAppTitle));
  box.setText(ToQt(text));
  box.addButton(ToQt(kCaptionOk), QMessageBox::AcceptRole);
  box.exec();
}

}  // namespace pc::gui
