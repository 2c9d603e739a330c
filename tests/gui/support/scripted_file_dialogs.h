// File dialogs answered from a script: the next file or folder name, or
// a cancel when the script is empty. Records the titles asked.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "gui/app/window_seams.h"

namespace pc::guitest {

class TScriptedFileDialogs final : public gui::TFileDialogs {
 public:
  // The next dialog answers `path` (bytes); std::nullopt answers a cancel.
  void QueueAnswer(std::optional<std::string> path) { answers_.push_back(std::move(path)); }

  std::optional<std::string> OpenFileName(const std::string&, const std::string&,
                                          const std::string& title) override {
    return Next(title);
  }
  std::optional<std::string> SaveFileName(const std::string&, const std::string& proposedName,
                                          const std::string&, const std::string&,
                                          const std::string& title) override {
    ProposedNames.push_back(proposedName);
    return Next(title);
  }
  std::optional<std::string> ExistingFolder(const std::string&, const std::string& title) override {
    return Next(title);
  }

  std::vector<std::string> Titles;
  std::vector<std::string> ProposedNames;

 private:
  std::optional<std::string> Next(const std::string& title) {
    Titles.push_back(title);
    if (answers_.empty()) return std::nullopt;
    auto answer = std::move(answers_.front());
    answers_.pop_front();
    return answer;
  }
  std::deque<std::optional<std::string>> answers_;
};

}  // namespace pc::guitest
