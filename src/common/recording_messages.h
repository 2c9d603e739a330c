// A TMessageUi for tests: records every call and answers from a script.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "common/messages.h"

namespace pc {

class TRecordingMessages : public TMessageUi {
 public:
  enum class Kind { ExecuteDialog, Ask, ShowMessage };
  struct Call {
    Kind What = Kind::ShowMessage;
    TDialogMode Mode = TDialogMode::dmMessage;  // ExecuteDialog only
    std::string Title;                          // Ask only
    std::string Text1;                          // dialog text 1, Ask/ShowMessage text
    std::string Text2;                          // dialog text 2
    std::vector<std::string> Captions;          // Ask only: the three captions
    int Width = 0;                              // Ask only
    int FocusButton = 0;                        // Ask only
  };

  // Answers handed out in order. When the script runs out ExecuteDialog
  // answers daNone and Ask answers 0, as if the user closed the window.
  void QueueDialogAnswer(TDialogAnswer answer) { dialogAnswers_.push_back(answer); }
  void QueueAskAnswer(int button) { askAnswers_.push_back(button); }

  TDialogAnswer ExecuteDialog(TDialogMode mode, const std::string& text1,
                              const std::string& text2) override;
  int Ask(const std::string& title, const std::string& text, const std::string& caption1,
          const std::string& caption2, const std::string& caption3, int width,
          int focusButton) override;
  void ShowMessage(const std::string& text) override;

  const std::vector<Call>& Calls() const { return calls_; }
  // The texts of every ShowMessage and dmMessage call, in order.
  std::vector<std::string> Messages() const;
  void ClearCalls() { calls_.clear(); }

 private:
  std::vector<Call> calls_;
  std::deque<TDialogAnswer> dialogAnswers_;
  std::deque<int> askAnswers_;
};

}  // namespace pc
