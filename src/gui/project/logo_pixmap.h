// Pictures of the project page and the tiles: a document picture as a
// pixmap, scaled into a logo box, and the program's default logo.
#pragma once

#include <QPixmap>

#include "project/picture.h"

namespace pc::gui {

inline constexpr int kLogoBoxWidth = 100;
inline constexpr int kLogoBoxHeight = 55;

// The picture decoded for display; a null pixmap when Qt cannot show it
// (metafiles, damaged data).
QPixmap PictureToPixmap(const project::TPicture& picture);
// `pixmap` scaled proportionally to fit a logo box (never enlarged beyond it).
QPixmap FitLogo(const QPixmap& pixmap);
// The logo printed and shown when a project has none.
QPixmap DefaultLogoPixmap();

}  // namespace pc::gui
