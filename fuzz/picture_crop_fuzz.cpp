// Cutting a logo decodes picture files the user picked: any bytes that
// read as a bitmap, PNG or JPEG must cut without fault into a picture that
// fits the bounds and reads again as its kind.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "project/picture.h"
#include "project/picture_crop.h"

using pc::project::PictureKind;
using pc::project::TPicture;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  constexpr PictureKind kKinds[] = {PictureKind::Bitmap, PictureKind::Png, PictureKind::Jpeg};
  const PictureKind kind = kKinds[data[0] % 3];
  const int width = 1 + data[1] % 64;  // small bounds cut most pictures
  const int height = 1 + data[1] / 64 * 16;
  TPicture picture;
  if (!pc::project::PictureFromFileBytes(kind, std::string(reinterpret_cast<const char*>(data) + 2, size - 2),
                                         picture))
    return 0;
  const auto cut = pc::project::CropPicture(picture, width, height);
  if (!cut) return 0;
  if (cut->Kind != picture.Kind || cut->Width > width || cut->Height > height) std::abort();
  if (picture.Width <= width && picture.Height <= height && !(*cut == picture)) std::abort();
  TPicture again;
  if (!pc::project::PictureFromFileBytes(cut->Kind, cut->Data, again) || again.Width != cut->Width ||
      again.Height != cut->Height)
    std::abort();
  return 0;
}
