#include "project/merge_questions.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "common/text_routines.h"

namespace pc::project {

std::vector<TReplacementChoice> ReplacementChoices(const std::vector<std::string>& fileComponents) {
  std::vector<TReplacementChoice> choices;
  for (std::size_t i = 0; i < fileComponents.size(); ++i)
    choices.push_back({fileComponents[i], static_cast<int>(i)});
  std::stable_sort(choices.begin(), choices.end(), [](const auto& a, const auto& b) {
    return UpperCase(a.Caption) < UpperCase(b.Caption);
  });
  choices.insert(choices.begin(), TReplacementChoice{kRemoveFromProject, -1});
  return choices;
}

std::string MissingPercentageText(double percentage) {
  if (percentage == 0 || !std::isfinite(percentage)) return {};
  // Fifteen significant digits: a sum such as 0,1 + 0,2 shows as "0,3", and
  // no percentage is shown with an exponent.
  char buf[400];
  std::to_chars_result r = std::to_chars(buf, buf + sizeof buf, percentage, std::chars_format::general, 15);
  if (r.ec == std::errc() && std::find(buf, r.ptr, 'e') != r.ptr)
    r = std::to_chars(buf, buf + sizeof buf, percentage, std::chars_format::fixed, 15);
  if (r.ec != std::errc()) return {};
  std::string text(buf, r.ptr);
  if (text.find('.') != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  std::replace(text.begin(), text.end(), '.', ',');
  return text + "%";
}

std::string CombineQuestionText(const std::string& indexFileName) {
  return "In het " + indexFileName +
         " ontbreken enkele bestanddelen, welke voor het project zijn vereist. Er zijn nu twee "
         "mogelijkheden:";
}

bool TScriptedMergeQuestions::ChooseReplacementComponents(
    const std::vector<std::string>& fileComponents, const std::vector<TMissingComponent>& missing,
    std::vector<int>& answers) {
  (void)fileComponents;
  SwitchDialogs.push_back(missing);
  answers.assign(missing.size(), -1);
  if (switchAnswers_.empty()) return false;
  SwitchAnswer next = std::move(switchAnswers_.front());
  switchAnswers_.pop_front();
  for (std::size_t i = 0; i < answers.size() && i < next.Answers.size(); ++i)
    answers[i] = next.Answers[i];
  return next.Confirmed;
}

bool TScriptedMergeQuestions::AskCombineIndexFile(const std::string& indexFileName) {
  CombineQuestions.push_back(indexFileName);
  if (combineAnswers_.empty()) return false;
  const bool combine = combineAnswers_.front();
  combineAnswers_.pop_front();
  return combine;
}

}  // namespace pc::project
