// The information file of the update server and what a pass does with it.
//
// The file is text: a header line, then one instruction per line. Planning
// turns its lines, in order, into the steps a pass carries out; the pass
// runs them in order and stops at the first step that fails. Planning is
// pure: it fetches, writes and reports nothing itself.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pc::update {

inline constexpr std::string_view kInfoFileHeader = "PrijsCorrectumAutoUpdateInfoFile";

// Splits at CR LF, LF or CR. A final line break does not start another
// line; an empty text has no lines.
std::vector<std::string> SplitLines(std::string_view text);

// The first 32 characters are the header, compared case-sensitively; the
// rest of the line is ignored.
bool HasInfoFileHeader(std::string_view firstLine);

// Where a fetched file goes.
enum class TargetFolder { Updates, Index };

struct PlanStep {
  enum class Kind {
    Status,             // report `text`
    AddDownloadedIndex, // new DownloadedIndexInfo entry `text` (the list is
                        // started anew at the first one of a pass attempt)
    AddOnlineIndex,     // new AvailOnlineIndices entry `text` (likewise)
    AppendDownloadedMemo,  // append `text` to the memo of the last downloaded entry
    AppendOnlineMemo,      // append `text` to the memo of the last online entry
    SetCoreFile,        // remember `text` as the set-up file of this pass
    Fetch,              // fetch file `text` into `target`
    RefuseName,         // a file name that could leave its folder: report `text`, fail the pass
  };
  Kind kind = Kind::Status;
  std::string text;
  TargetFolder target = TargetFolder::Updates;

  bool operator==(const PlanStep&) const = default;
};

struct PlanSettings {
  bool skipCoreFile = false;
  std::string lastDownloadedCoreFile;
};

// The steps for every line after the header (`lines[0]` is not looked at).
// Memo texts already carry their separator ("\n\r" between the lines of one
// memo), so appending them in order gives the whole memo.
std::vector<PlanStep> PlanInfoFile(const std::vector<std::string>& lines, const PlanSettings& settings);

// "Ongeldige update instructieregel " followed by the line in double quotes.
std::string InvalidLineStatus(std::string_view line);

}  // namespace pc::update
