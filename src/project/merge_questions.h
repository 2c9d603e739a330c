// The two questions asked when an index file lacks components that the
// project has. The window shows them as dialogs; the core only needs the
// answers. TScriptedMergeQuestions answers from a script (tests, and the
// command-line companion, which never waits for a person).
#pragma once

#include <deque>
#include <string>
#include <vector>

namespace pc::project {

struct TMissingComponent {
  std::string Name;
  double Percentage = 0;
};

class TMergeQuestions {
 public:
  virtual ~TMergeQuestions() = default;

  // The component switch dialog. `fileComponents`: the names of the new
  // file's components in file order. Returns whether the user confirmed;
  // `answers` gets, for each missing component in order, -1 (remove it from
  // the project) or the 0-based number of the chosen file component. The
  // answers are filled also when the user cancels.
  virtual bool ChooseReplacementComponents(const std::vector<std::string>& fileComponents,
                                           const std::vector<TMissingComponent>& missing,
                                           std::vector<int>& answers) = 0;

  // The missing-components question for the index file named `indexFileName`
  // (without folder): true for "Combineren", false for "Alleen Lezen" or a
  // dialog closed any other way.
  virtual bool AskCombineIndexFile(const std::string& indexFileName) = 0;
};

// What the switch dialog's rows offer: "[Verwijder uit project]" first (answer
// -1), then the file's component names sorted alphabetically (upper-cased a..z
// compared byte by byte), each with its 0-based number in the file.
struct TReplacementChoice {
  std::string Caption;
  int Answer = -1;
};
inline constexpr const char* kRemoveFromProject = "[Verwijder uit project]";
std::vector<TReplacementChoice> ReplacementChoices(const std::vector<std::string>& fileComponents);

// The second line of a missing component's row: its percentage as a plain
// number with a decimal comma and as many decimals as needed, then "%"
// (12.5 -> "12,5%"); empty for a percentage of 0.
std::string MissingPercentageText(double percentage);

// The text of the missing-components question for an index file name.
std::string CombineQuestionText(const std::string& indexFileName);

// Answers from a script and records what was asked. When the script runs
// out, the switch dialog is cancelled and the question answers "Alleen Lezen",
// as a closed dialog does.
class TScriptedMergeQuestions : public TMergeQuestions {
 public:
  struct SwitchAnswer {
    bool Confirmed = false;
    std::vector<int> Answers;  // shorter than the missing list: the rest is -1
  };
  void QueueSwitchAnswer(SwitchAnswer answer) { switchAnswers_.push_back(std::move(answer)); }
  void QueueCombineAnswer(bool combine) { combineAnswers_.push_back(combine); }

  bool ChooseReplacementComponents(const std::vector<std::string>& fileComponents,
                                   const std::vector<TMissingComponent>& missing,
                                   std::vector<int>& answers) override;
  bool AskCombineIndexFile(const std::string& indexFileName) override;

  // The missing components of every switch dialog shown, and the file names
  // of every question asked, in order.
  std::vector<std::vector<TMissingComponent>> SwitchDialogs;
  std::vector<std::string> CombineQuestions;

 private:
  std::deque<SwitchAnswer> switchAnswers_;
  std::deque<bool> combineAnswers_;
};

}  // namespace pc::project
