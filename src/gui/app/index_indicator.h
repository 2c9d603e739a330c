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

// What the indicator's picture depends on: the kind and the index file's own
// picture (shared and immutable, so its address names it).
struct TIndexPictureKey {
  int Binding = -1;
  const void* Picture = nullptr;
  friend bool operator==(const TIndexPictureKey&, const TIndexPictureKey&) = default;
};

}  // namespace pc::gui
