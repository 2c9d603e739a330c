#pragma once
// Internal to the picture files: little-endian fields, the size limit, and
// the glue that lets libpng and libjpeg read from memory and report errors
// by a long jump instead of ending the program. The functions that call
// setjmp keep no objects with destructors: the libraries leave them by
// longjmp.
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string_view>

#include <jpeglib.h>
#include <png.h>

namespace pc::project::picture_codec {

// Pictures larger than this in either direction are taken as damaged; it
// also keeps every size computation far from overflow.
inline constexpr std::int64_t kMaxSide = 1 << 16;

inline bool SaneSide(std::int64_t v) { return v > 0 && v <= kMaxSide; }

inline std::uint32_t U8(std::string_view b, std::size_t at) { return static_cast<unsigned char>(b[at]); }
inline std::uint32_t U16(std::string_view b, std::size_t at) { return U8(b, at) | (U8(b, at + 1) << 8); }
inline std::uint32_t U32(std::string_view b, std::size_t at) { return U16(b, at) | (U16(b, at + 2) << 16); }
inline std::int32_t S32(std::string_view b, std::size_t at) { return static_cast<std::int32_t>(U32(b, at)); }
inline std::int16_t S16(std::string_view b, std::size_t at) { return static_cast<std::int16_t>(U16(b, at)); }

// ---- BMP ----
inline constexpr std::uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3, kBiAlphaBitfields = 6;
inline constexpr std::size_t kInfoAt = 14;  // the info header follows the file header

struct BmpLayout {
  std::uint32_t offset = 0;  // of the pixel array
  std::uint32_t header = 0;  // info header size
  std::int64_t width = 0;
  std::int64_t height = 0;  // rows, always positive
  bool top_down = false;
  std::uint32_t bpp = 0;
  std::uint32_t compression = kBiRgb;
};

// The headers of a BMP file, checked: "BM", a known info header that fits,
// one plane, sane sides, a known depth, a pixel offset inside the file. The
// pixel array itself is not looked at.
inline std::optional<BmpLayout> ParseBmp(std::string_view file) {
  if (file.size() < kInfoAt + 12 || file[0] != 'B' || file[1] != 'M') return std::nullopt;
  BmpLayout l;
  l.offset = U32(file, 10);
  l.header = U32(file, kInfoAt);
  std::int64_t h = 0;
  if (l.header == 12) {
    l.width = U16(file, 18);
    h = S16(file, 20);
    if (U16(file, 22) != 1) return std::nullopt;
    l.bpp = U16(file, 24);
  } else if (l.header == 40 || l.header == 52 || l.header == 56 || l.header == 64 ||
             l.header == 108 || l.header == 124) {
    if (file.size() < kInfoAt + l.header) return std::nullopt;
    l.width = S32(file, 18);
    h = S32(file, 22);
    if (U16(file, 26) != 1) return std::nullopt;
    l.bpp = U16(file, 28);
    l.compression = U32(file, 30);
  } else {
    return std::nullopt;
  }
  l.top_down = h < 0;
  l.height = h < 0 ? -h : h;
  if (!SaneSide(l.width) || !SaneSide(l.height)) return std::nullopt;
  if (l.bpp != 1 && l.bpp != 4 && l.bpp != 8 && l.bpp != 16 && l.bpp != 24 && l.bpp != 32)
    return std::nullopt;
  if (l.offset < kInfoAt + l.header || l.offset > file.size()) return std::nullopt;
  return l;
}

// Bytes of one pixel row, padded to 4.
inline std::int64_t BmpRowBytes(std::int64_t width, std::uint32_t bpp) { return ((width * bpp + 31) / 32) * 4; }

// ---- PNG ----
struct PngSource {
  const unsigned char* data;
  std::size_t size;
  std::size_t pos;
};

inline void PngRead(png_structp png, png_bytep out, png_size_t n) {
  auto* src = static_cast<PngSource*>(png_get_io_ptr(png));
  if (n > src->size - src->pos) png_error(png, "truncated");
  std::memcpy(out, src->data + src->pos, n);
  src->pos += n;
}
inline void PngError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
inline void PngWarning(png_structp, png_const_charp) {}

// A libpng reader over `src` with the size limit; false (and nothing to
// free) when libpng has no memory. The caller sets its jump point next and
// ends with png_destroy_read_struct(png, info, nullptr).
inline bool PngOpenReader(PngSource* src, png_structp* png, png_infop* info) {
  *png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, PngError, PngWarning);
  if (*png == nullptr) return false;
  *info = png_create_info_struct(*png);
  if (*info == nullptr) {
    png_destroy_read_struct(png, nullptr, nullptr);
    return false;
  }
  png_set_user_limits(*png, static_cast<png_uint_32>(kMaxSide), static_cast<png_uint_32>(kMaxSide));
  png_set_read_fn(*png, src, PngRead);
  return true;
}

// ---- JPEG ----
struct JpegError {
  jpeg_error_mgr mgr;
  std::jmp_buf jump;
};
inline void JpegExit(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<JpegError*>(cinfo->err)->jump, 1); }
inline void JpegMessage(j_common_ptr) {}

}  // namespace pc::project::picture_codec
