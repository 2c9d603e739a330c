// The switch and merge questions as the window asks them: the dialogs
// TFrmIndexSwitchBDMerge and TExportOpenForm, owned by the main window.
#pragma once

#include <QPointer>
#include <QWidget>

#include "project/merge_questions.h"

namespace pc::gui {

class TQtMergeQuestions final : public project::TMergeQuestions {
 public:
  explicit TQtMergeQuestions(QWidget* owner) : owner_(owner) {}

  bool ChooseReplacementComponents(const std::vector<std::string>& fileComponents,
                                   const std::vector<project::TMissingComponent>& missing,
                                   std::vector<int>& answers) override;
  bool AskCombineIndexFile(const std::string& indexFileName) override;

 private:
  QPointer<QWidget> owner_;
};

}  // namespace pc::gui
