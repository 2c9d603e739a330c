// TFrmIndexSwitchBDMerge: for every component of the project that the new
// index file lacks, the user picks a component of the file to take its
// place, or removes it from the project.
#pragma once

#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "project/merge_questions.h"

class QComboBox;
class QFrame;

namespace Ui {
class TFrmIndexSwitchBDMerge;
}

namespace pc::gui {

class TFrmIndexSwitchBDMerge : public QDialog {
  Q_OBJECT
 public:
  TFrmIndexSwitchBDMerge(const std::vector<std::string>& fileComponents,
                         const std::vector<project::TMissingComponent>& missing, QWidget* parent = nullptr);
  ~TFrmIndexSwitchBDMerge() override;

  // Per missing component: -1 (remove) or the 0-based number of the chosen
  // file component.
  std::vector<int> Answers() const;
  QComboBox* RowChoice(std::size_t row) const { return rows_.at(row).Choice; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct TRow {
    QFrame* Panel = nullptr;
    QComboBox* Choice = nullptr;
  };
  void Highlight(QFrame* panel);

  std::unique_ptr<Ui::TFrmIndexSwitchBDMerge> ui_;
  std::vector<TRow> rows_;
  QFrame* highlighted_ = nullptr;
};

}  // namespace pc::gui
