// Switching the open project to another index file as one undo step. The
// switch may remove components and their amounts (the user's answers in the
// switch dialog), so it is always undoable and always marks the document
// modified, so that closing asks to save.
#pragma once

#include <string>

#include "project/project_history.h"

namespace pc::project {

// Begins a step, binds the current document to the index file at `path`
// (TProjectData::SwitchIndexFile) and commits the step when the switch took
// place. When it did not (same file without `force`, a cancelled switch
// dialog, a file that cannot be taken) the step is dropped and the document
// is exactly as before. Returns whether the switch took place.
bool SwitchIndexFileStep(TProject& history, const std::string& path, bool force);

}  // namespace pc::project
