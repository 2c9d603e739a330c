#pragma once
// Cutting a picture down to a largest size, keeping its top-left part.
//
// What is cut, and how:
// - Bitmap, uncompressed (BI_RGB, BI_BITFIELDS, BI_ALPHABITFIELDS) at 1, 4,
//   8, 16, 24 or 32 bits a pixel: a new BMP of the same depth, with the same
//   headers, bit masks and palette, the kept rows padded to 4 bytes and the
//   size fields corrected. Bottom-up files keep their top rows (the end of
//   the pixel array), top-down files their first rows; the row order stays.
//   An embedded colour profile that followed the pixels is moved along.
// - Bitmap, run-length coded (RLE8, RLE4): decoded to palette indices and
//   written as an uncompressed, bottom-up 8-bit BMP with the same palette.
//   Pixels the runs skip over take palette index 0.
// - PNG: decoded with libpng and written again as PNG, non-interlaced, with
//   the same colour type, bit depth, palette, transparency, gamma, colour
//   profile and resolution. Other chunks (texts, times) are dropped.
// - JPEG: decoded with libjpeg and written again as JPEG at quality 90, in
//   the colour space it was decoded to (grey, RGB or CMYK), with the same
//   resolution.
// PNG and JPEG keep their kind rather than becoming bitmaps: a logo takes
// the kind of the file it was chosen from, a PNG stays lossless with its
// transparency and palette, and a JPEG photo stays small; a 24-bit BMP of
// either would only be larger and would lose the transparency.
//
// Left as they are:
// - Icons: at most 256 x 256 pixels and holding several images of which
//   the window picks one, so cutting one image would not cut what is drawn.
// - Metafiles: drawings scaled to their place when drawn; their pixel size
//   is only a nominal frame, and cutting would mean rewriting their records.
//
// All decoding stays inside the given bytes and refuses sizes beyond 65536
// pixels a side; libpng and libjpeg errors end the decoding without leaks.
#include <optional>

#include "project/picture.h"

namespace pc::project {

// The picture cut to at most `max_width` x `max_height` pixels. A picture
// that already fits, an icon, a metafile and an empty picture are returned
// unchanged (the same bytes). Nullopt when the bounds are not positive or
// the picture data cannot be decoded.
std::optional<TPicture> CropPicture(const TPicture& picture, int max_width, int max_height);

}  // namespace pc::project
