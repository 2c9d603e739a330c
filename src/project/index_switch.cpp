#include "project/index_switch.h"

namespace pc::project {

bool SwitchIndexFileStep(TProject& history, const std::string& path, bool force) {
  history.BeginStep(false);
  if (!history.Current().SwitchIndexFile(path, force)) {
    history.DropStep();
    return false;
  }
  history.Current().Modified = true;
  history.CommitStep();
  return true;
}

}  // namespace pc::project
