#include "gui/project/qt_merge_questions.h"

#include "gui/project/export_open_dialog.h"
#include "gui/project/index_switch_dialog.h"

namespace pc::gui {

bool TQtMergeQuestions::ChooseReplacementComponents(const std::vector<std::string>& fileComponents,
                                                    const std::vector<project::TMissingComponent>& missing,
                                                    std::vector<int>& answers) {
  TFrmIndexSwitchBDMerge dialog(fileComponents, missing, owner_);
  const bool confirmed = dialog.exec() == QDialog::Accepted;
  answers = dialog.Answers();
  return confirmed;
}

bool TQtMergeQuestions::AskCombineIndexFile(const std::string& indexFileName) {
  TExportOpenForm dialog(indexFileName, owner_);
  dialog.exec();
  return dialog.Combine();
}

}  // namespace pc::gui
