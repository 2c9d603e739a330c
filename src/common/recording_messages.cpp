#include "common/recording_messages.h"

namespace pc {

TDialogAnswer TRecordingMessages::ExecuteDialog(TDialogMode mode, const std::string& text1,
                                                const std::string& text2) {
  Call call;
  call.What = Kind::ExecuteDialog;
  call.Mode = mode;
  call.Text1 = text1;
  call.Text2 = text2;
  calls_.push_back(std::move(call));
  if (dialogAnswers_.empty()) return TDialogAnswer::daNone;
  const TDialogAnswer answer = dialogAnswers_.front();
  dialogAnswers_.pop_front();
  return answer;
}

int TRecordingMessages::Ask(const std::string& title, const std::string& text,
                            const std::string& caption1, const std::string& caption2,
                            const std::string& caption3, int width, int focusButton) {
  Call call;
  call.What = Kind::Ask;
  call.Title = title;
  call.Text1 = text;
  call.Captions = {caption1, caption2, caption3};
  call.Width = width;
  call.FocusButton = focusButton;
  calls_.push_back(std::move(call));
  if (askAnswers_.empty()) return 0;
  const int answer = askAnswers_.front();
  askAnswers_.pop_front();
  return answer;
}

void TRecordingMessages::ShowMessage(const std::string& text) {
  Call call;
  call.What = Kind::ShowMessage;
  call.Title = kAppTitle;
  call.Text1 = text;
  call.Captions = {kCaptionOk, "", ""};
  calls_.push_back(std::move(call));
}

std::vector<std::string> TRecordingMessages::Messages() const {
  std::vector<std::string> texts;
  for (const Call& c : calls_) {
    if (c.What == Kind::ShowMessage ||
        (c.What == Kind::ExecuteDialog && c.Mode == TDialogMode::dmMessage)) {
      texts.push_back(c.Text1);
    }
  }
  return texts;
}

}  // namespace pc
