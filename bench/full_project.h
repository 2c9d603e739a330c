// A full project for the benchmarks: 50 components with a figure in
// every month of 1981..2100, 999 installments, written as a project file with
// its own index file beside it.
#pragma once

#include <string>

#include "project/project_history.h"

namespace pc::bench {

inline constexpr int kFullComponents = 50;
inline constexpr int kFullInstallments = 999;

// Fills the history's current document.
void FillFullProject(project::TProject& history);
// One committed undo step on a full project: figure `i` (spread over the
// components and months) changed, every component recalculated.
void EditStep(project::TProject& history, int i);
// Writes a full project to `folder`/full.kvp with full.kvi beside it;
// returns the project path.
std::string WriteFullProject(const std::string& folder);

}  // namespace pc::bench
