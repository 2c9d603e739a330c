#include "project/picture_size.h"

#include <csetjmp>
#include <cstdint>

#include "project/picture_codec.h"

namespace pc::project {
namespace {

using namespace picture_codec;

// Kept free of objects with destructors: libpng leaves it by longjmp.
bool PngHeader(const unsigned char* data, std::size_t size, png_uint_32* w, png_uint_32* h) {
  PngSource src{data, size, 0};
  png_structp png = nullptr;
  png_infop info = nullptr;
  if (!PngOpenReader(&src, &png, &info)) return false;
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_read_info(png, info);
  *w = png_get_image_width(png, info);
  *h = png_get_image_height(png, info);
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}


bool JpegHeader(const unsigned char* data, std::size_t size, JDIMENSION* w, JDIMENSION* h) {
  jpeg_decompress_struct cinfo;
  JpegError err;
  cinfo.err = jpeg_std_error(&err.mgr);
  err.mgr.error_exit = JpegExit;
  err.mgr.output_message = JpegMessage;
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, const_cast<unsigned char*>(data), static_cast<unsigned long>(size));
  if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  *w = cinfo.image_width;
  *h = cinfo.image_height;
  jpeg_destroy_decompress(&cinfo);
  return true;
}

}  // namespace

std::optional<PictureSize> ReadBmpSize(std::string_view file) {
  const std::optional<BmpLayout> l = ParseBmp(file);
  if (!l) return std::nullopt;
  // Some writers leave the file size field 0; any other value must match.
  if (U32(file, 2) != 0 && U32(file, 2) != file.size()) return std::nullopt;
  if (l->compression == kBiRgb || l->compression == kBiBitfields || l->compression == kBiAlphaBitfields) {
    if (static_cast<std::int64_t>(l->offset) + BmpRowBytes(l->width, l->bpp) * l->height >
        static_cast<std::int64_t>(file.size()))
      return std::nullopt;
  } else if (l->compression == kBiRle8 || l->compression == kBiRle4) {
    if (l->offset >= file.size()) return std::nullopt;
  } else {
    return std::nullopt;
  }
  return PictureSize{static_cast<int>(l->width), static_cast<int>(l->height)};
}

std::optional<PictureSize> ReadPngSize(std::string_view file) {
  static constexpr unsigned char kSig[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  if (file.size() < 8 + 25 || std::memcmp(file.data(), kSig, 8) != 0) return std::nullopt;
  png_uint_32 w = 0, h = 0;
  if (!PngHeader(reinterpret_cast<const unsigned char*>(file.data()), file.size(), &w, &h))
    return std::nullopt;
  if (!SaneSide(w) || !SaneSide(h)) return std::nullopt;
  return PictureSize{static_cast<int>(w), static_cast<int>(h)};
}

std::optional<PictureSize> ReadJpegSize(std::string_view file) {
  if (file.size() < 4 || static_cast<unsigned char>(file[0]) != 0xFF ||
      static_cast<unsigned char>(file[1]) != 0xD8)
    return std::nullopt;
  JDIMENSION w = 0, h = 0;
  if (!JpegHeader(reinterpret_cast<const unsigned char*>(file.data()), file.size(), &w, &h))
    return std::nullopt;
  if (!SaneSide(w) || !SaneSide(h)) return std::nullopt;
  return PictureSize{static_cast<int>(w), static_cast<int>(h)};
}

std::optional<PictureSize> ReadIconSize(std::string_view file) {
  if (file.size() < 6 || U16(file, 0) != 0 || U16(file, 2) != 1) return std::nullopt;
  const std::uint32_t count = U16(file, 4);
  if (count == 0 || file.size() < 6 + 16 * static_cast<std::size_t>(count)) return std::nullopt;
  PictureSize best;
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::size_t e = 6 + 16 * static_cast<std::size_t>(i);
    const int w = static_cast<unsigned char>(file[e]) == 0 ? 256 : static_cast<unsigned char>(file[e]);
    const int h = static_cast<unsigned char>(file[e + 1]) == 0 ? 256 : static_cast<unsigned char>(file[e + 1]);
    const std::uint64_t bytes = U32(file, e + 8);
    const std::uint64_t at = U32(file, e + 12);
    if (bytes == 0 || at < 6 + 16 * static_cast<std::uint64_t>(count) || at + bytes > file.size())
      return std::nullopt;
    if (w * h > best.Width * best.Height) best = PictureSize{w, h};
  }
  return best;
}

std::optional<PictureSize> ReadMetafileSize(std::string_view file) {
  if (file.size() >= 88 && U32(file, 0) == 1 && U32(file, 40) == 0x464D4520) {  // " EMF"
    const std::uint32_t header = U32(file, 4);
    const std::uint32_t bytes = U32(file, 48);
    if (header < 88 || header > file.size() || bytes < header || bytes > file.size())
      return std::nullopt;
    const std::int64_t w = static_cast<std::int64_t>(S32(file, 16)) - S32(file, 8) + 1;
    const std::int64_t h = static_cast<std::int64_t>(S32(file, 20)) - S32(file, 12) + 1;
    if (SaneSide(w) && SaneSide(h)) return PictureSize{static_cast<int>(w), static_cast<int>(h)};
    return PictureSize{};
  }
  if (file.size() >= 22 + 18 && U32(file, 0) == 0x9AC6CDD7) {  // placeable metafile
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < 20; i += 2) sum ^= U16(file, i);
    if (sum != U16(file, 20)) return std::nullopt;
    const std::uint32_t type = U16(file, 22);
    if ((type != 1 && type != 2) || U16(file, 24) != 9) return std::nullopt;
    const std::uint64_t words = U32(file, 28);  // size of the metafile proper
    if (words < 9 || 22 + 2 * words > file.size()) return std::nullopt;
    const std::int64_t inch = U16(file, 14);
    const std::int64_t dx = static_cast<std::int64_t>(S16(file, 10)) - S16(file, 6);
    const std::int64_t dy = static_cast<std::int64_t>(S16(file, 12)) - S16(file, 8);
    if (inch <= 0) return PictureSize{};
    const std::int64_t w = (dx < 0 ? -dx : dx) * 96 / inch;
    const std::int64_t h = (dy < 0 ? -dy : dy) * 96 / inch;
    if (SaneSide(w) && SaneSide(h)) return PictureSize{static_cast<int>(w), static_cast<int>(h)};
    return PictureSize{};
  }
  return std::nullopt;
}

}  // namespace pc::project
