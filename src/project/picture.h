#pragma once
// A picture as the documents keep it: its kind and the bytes of its picture
// file (a BMP, JPEG, metafile, ICO or PNG file), with its size in pixels.
// Decoding for display is left to the window; the core only keeps, checks
// and measures the bytes.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pc::project {

enum class PictureKind : std::uint8_t { None = 0, Bitmap, Jpeg, Metafile, Icon, Png };

// "TBitmap", "TJPEGImage", "TMetafile", "TIcon", "TPNGObject"; "" for None.
std::string_view PictureClassName(PictureKind kind);
// The kind of a class name (exact, case-sensitive); nullopt when unknown.
std::optional<PictureKind> PictureKindFromClassName(std::string_view class_name);
// The kind a picture file is read as, from its extension with or without
// the dot, any case: bmp, jpg, jpeg, emf, wmf, ico, png; nullopt otherwise.
std::optional<PictureKind> PictureKindFromExtension(std::string_view extension);

struct TPicture {
  PictureKind Kind = PictureKind::None;
  std::string Data;  // the complete picture file; empty for None
  int Width = 0;     // pixels; 0 when the kind does not tell (metafiles without bounds)
  int Height = 0;

  bool Empty() const { return Kind == PictureKind::None; }
  friend bool operator==(const TPicture&, const TPicture&) = default;
};

// Checks `file_bytes` as a picture file of `kind` and measures it. On
// success `picture` holds the picture and true is returned; otherwise
// false and `picture` is unchanged. A bitmap must be a BMP file whose
// stated size matches; JPEG and PNG must have readable headers; an icon
// a valid ICO directory; a metafile an enhanced or placeable metafile.
bool PictureFromFileBytes(PictureKind kind, std::string file_bytes, TPicture& picture);

}  // namespace pc::project
