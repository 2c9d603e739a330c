// The text that names the open document's index file and how the project is
// bound to it, as the status bar and the project page show it.
#pragma once

#include <string>

#include "project/project_data.h"

namespace pc::project {

// "Centrale indextabel (name)", "Lokale indextabel (name)", "Centrale
// (online) indextabel (name)" or "Indextabel schrijfbeveiligd"; name is the
// index file's name without folder and extension.
std::string IndexIndicatorText(const TProjectData& document);

}  // namespace pc::project
