// The project history: the open document and the documents undo and redo
// go back to. Every entry is a whole, independent document; entries share
// their unchanged blocks (project/project_data.h), so a hundred steps cost
// little more than the blocks those steps changed.
//
// The protocol of a change: BeginStep(true) when the change will certainly
// happen; or BeginStep(false), change Current(), then CommitStep() when
// something changed or DropStep() when nothing did.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "indextable/month_key.h"
#include "project/picture.h"
#include "project/project_data.h"

namespace pc::project {

inline constexpr std::size_t kHistoryLimit = 100;

class TProject {
 public:
  // A history holding one new empty document.
  explicit TProject(const TProjectServices* services = nullptr);
  TProject(const TProject&) = delete;
  TProject& operator=(const TProject&) = delete;

  // The open document: the last entry of the undo list. Always present.
  TProjectData& Current() { return *undo_.back(); }
  const TProjectData& Current() const { return *undo_.back(); }
  bool IsModified() const { return Current().Modified; }
  bool CanUndo() const { return undo_.size() > 1; }
  bool CanRedo() const { return !redo_.empty(); }
  std::size_t UndoCount() const { return undo_.size(); }
  std::size_t RedoCount() const { return redo_.size(); }
  // Entries oldest first (index UndoCount() - 1 is Current()).
  const TProjectData& UndoEntry(std::size_t i) const { return *undo_.at(i); }
  const TProjectData& RedoEntry(std::size_t i) const { return *redo_.at(i); }

  // Frees every entry; with `newEntry` one new empty document becomes the
  // only entry. Without it the history is empty until the next Reset or
  // NewDocument: callers must not use Current() in between.
  void Reset(bool newEntry);
  // Reset(true) and the defaults of a new project.
  void NewDocument();
  // Opens a project (and its index file) into a fresh document. On success
  // it becomes the only entry; on failure the history stays as it was, the
  // open document included.
  bool OpenDocument(const std::string& projectPath, const std::string& indexPath);
  // Saves Current(); on success the history holds only Current().
  bool SaveDocument(const std::string& path);
  // Frees the redo entries and every undo entry except Current().
  void Collapse();

  // Stores the UI state in Current() (from UiStateSource), then appends a
  // copy of it, marked modified, as the new Current(); with `commit`
  // CommitStep follows.
  void BeginStep(bool commit);
  // Frees the redo entries; drops the oldest entries beyond the limit.
  void CommitStep();
  // Removes a begun step whose change did not happen (at least one entry
  // always stays). OnRestore is not called.
  void DropStep();
  // Moves Current() to the redo list / the last redo entry back; OnRestore.
  void Undo();
  void Redo();

  // Every document whose OnlineInfo is `oldEntry` gets `newEntry`.
  void RelinkOnlineInfo(const settings::DownloadedIndexInfoPtr& oldEntry,
                        const settings::DownloadedIndexInfoPtr& newEntry);

  // One committed step: the component at `position` leaves the index table
  // and its amounts leave every installment.
  void DeleteComponent(int position);
  // Gives the index table the period first..last (a step unless skipped).
  // A table of downloaded figures is read again from its index file for
  // the new period; its components keep their own settings.
  void SetIndexPeriod(TMonthKey first, TMonthKey last, bool skipStep);
  // Extends the period back to the month of the price reference date when
  // it starts after that date (no step).
  void ExtendPeriodToPriceMonth();
  // Moves `first` back and `last` forward to the month of the price
  // reference date where they do not cover it; returns whether it set
  // either.
  bool AdjustPeriodToPriceMonth(TMonthKey& first, TMonthKey& last) const;
  // When `picture` (null for none) differs from the index picture, one
  // committed step takes it over.
  void SetIndexPicture(const TPicture* picture);

  // Called after every Undo and Redo.
  std::function<void()> OnRestore;
  // Asked by BeginStep for where the user is; null leaves the state as is.
  std::function<TUiState()> UiStateSource;

 private:
  std::unique_ptr<TProjectData> NewEntry() const;

  const TProjectServices* services_;
  std::deque<std::unique_ptr<TProjectData>> undo_;
  std::deque<std::unique_ptr<TProjectData>> redo_;
};

}  // namespace pc::project
