// The status bar's index indicator: the kind of the document's index file
// (central, local, write-protected, central online) as a text and a small
// picture; the index file's own picture stands in for the kind's when it
// has one.
#pragma once

#include <QPixmap>
#include <QString>

#include "project/project_data.h"

namespace pc::gui {

// "Centrale indextabel (name)", "Lokale indextabel (name)",
// "Indextabel schrijfbeveiligd" or "Centrale (online) indextabel (name)".
QString IndexIndicatorText(const project::TProjectData& doc);
// 16 x 16: the index file's picture, else the kind's own.
QPixmap IndexIndicatorPicture(const project::TProjectData& doc);

}  // namespace pc::gui
