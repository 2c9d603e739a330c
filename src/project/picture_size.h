#pragma once
// Width and height of picture files, read from their headers only. Each
// returns nullopt for bytes that are not a well-formed file of that kind;
// none of them reads outside the given bytes.
#include <optional>
#include <string_view>

namespace pc::project {

struct PictureSize {
  int Width = 0;
  int Height = 0;
  friend bool operator==(const PictureSize&, const PictureSize&) = default;
};

// BMP file ("BM", file size field equal to the byte count or 0, a known info
// header, a pixel array that fits).
std::optional<PictureSize> ReadBmpSize(std::string_view file);
// PNG file (signature and IHDR, read with libpng).
std::optional<PictureSize> ReadPngSize(std::string_view file);
// JPEG file (header up to the frame, read with libjpeg).
std::optional<PictureSize> ReadJpegSize(std::string_view file);
// ICO file: the largest image of its directory.
std::optional<PictureSize> ReadIconSize(std::string_view file);
// Enhanced metafile (size from its frame or bounds) or placeable Windows
// metafile (size from its bounding box).
std::optional<PictureSize> ReadMetafileSize(std::string_view file);

}  // namespace pc::project
