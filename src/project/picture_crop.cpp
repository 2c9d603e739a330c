#include "project/picture_crop.h"

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "project/picture_codec.h"
#include "project/picture_size.h"

namespace pc::project {
namespace {

using namespace picture_codec;

// The most bytes of decoded pixels kept (or, for interlaced PNG, decoded)
// for one picture.
constexpr std::int64_t kMaxDecodedBytes = std::int64_t{1} << 28;
// The most memory libjpeg may take for one picture (progressive files keep
// all their coefficients), and the most scans it reads.
constexpr long kMaxJpegMemory = 64L << 20;
constexpr int kMaxJpegScans = 1000;
constexpr int kJpegQuality = 90;

void Put16(std::string& s, std::uint32_t v) {
  s.push_back(static_cast<char>(v & 0xFF));
  s.push_back(static_cast<char>((v >> 8) & 0xFF));
}
void Put32(std::string& s, std::uint32_t v) {
  Put16(s, v & 0xFFFF);
  Put16(s, v >> 16);
}
void Set16(std::string& s, std::size_t at, std::uint32_t v) {
  s[at] = static_cast<char>(v & 0xFF);
  s[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}
void Set32(std::string& s, std::size_t at, std::uint32_t v) {
  Set16(s, at, v & 0xFFFF);
  Set16(s, at + 2, v >> 16);
}


// Packed pixel rows are filled from the most significant bit; the bits of
// the last kept byte beyond the kept pixels are cleared.
unsigned char KeepHighBits(unsigned char byte, std::int64_t bits) {
  return bits == 0 ? byte : static_cast<unsigned char>(byte & (0xFF << (8 - bits)));
}

// ---- BMP ----

constexpr std::uint32_t kProfileEmbedded = 0x4D424544;  // "MBED"
constexpr std::uint32_t kProfileLinked = 0x4C494E4B;    // "LINK"
constexpr std::uint32_t kColourSpaceSrgb = 0x73524742;  // "sRGB"

// A colour profile of a version 5 header that lies behind the pixel array
// is moved behind the new one; one that lies in front of it stays where it
// is; one outside the file is dropped in favour of sRGB.
void CarryProfile(std::string_view file, const BmpLayout& l, std::int64_t old_pixels_end, std::string& out) {
  if (l.header < 124) return;
  const std::uint32_t kind = U32(file, kInfoAt + 56);
  if (kind != kProfileEmbedded && kind != kProfileLinked) return;
  const std::int64_t at = static_cast<std::int64_t>(kInfoAt) + U32(file, kInfoAt + 112);
  const std::int64_t size = U32(file, kInfoAt + 116);
  if (at >= static_cast<std::int64_t>(kInfoAt + l.header) && at + size <= l.offset) return;
  if (at >= old_pixels_end && at + size <= static_cast<std::int64_t>(file.size())) {
    Set32(out, kInfoAt + 112, static_cast<std::uint32_t>(out.size() - kInfoAt));
    out.append(file.substr(static_cast<std::size_t>(at), static_cast<std::size_t>(size)));
    return;
  }
  Set32(out, kInfoAt + 56, kColourSpaceSrgb);
  Set32(out, kInfoAt + 112, 0);
  Set32(out, kInfoAt + 116, 0);
}

std::optional<std::string> CropPlainBmp(std::string_view file, const BmpLayout& l, std::int64_t keep_w,
                                        std::int64_t keep_h) {
  const std::int64_t src_row = BmpRowBytes(l.width, l.bpp);
  const std::int64_t pixels_end = l.offset + src_row * l.height;
  if (pixels_end > static_cast<std::int64_t>(file.size())) return std::nullopt;
  const std::int64_t dst_row = BmpRowBytes(keep_w, l.bpp);
  const std::int64_t used = (keep_w * l.bpp + 7) / 8;
  const std::int64_t last_bits = (keep_w * l.bpp) % 8;

  // Everything in front of the pixels: headers, bit masks, palette.
  std::string out(file.substr(0, l.offset));
  out.reserve(static_cast<std::size_t>(l.offset + dst_row * keep_h));
  for (std::int64_t r = 0; r < keep_h; ++r) {
    const std::int64_t src = l.top_down ? r : l.height - keep_h + r;
    const std::size_t start = static_cast<std::size_t>(l.offset + src * src_row);
    out.append(file.substr(start, static_cast<std::size_t>(used)));
    out.back() = static_cast<char>(KeepHighBits(static_cast<unsigned char>(out.back()), last_bits));
    out.append(static_cast<std::size_t>(dst_row - used), '\0');
  }
  CarryProfile(file, l, pixels_end, out);

  const std::int64_t rows = l.top_down ? -keep_h : keep_h;
  if (l.header == 12) {
    Set16(out, 18, static_cast<std::uint32_t>(keep_w));
    Set16(out, 20, static_cast<std::uint32_t>(rows) & 0xFFFF);
  } else {
    Set32(out, 18, static_cast<std::uint32_t>(keep_w));
    Set32(out, 22, static_cast<std::uint32_t>(rows));
    Set32(out, 34, static_cast<std::uint32_t>(dst_row * keep_h));
  }
  Set32(out, 2, static_cast<std::uint32_t>(out.size()));
  return out;
}

// Decodes the runs into palette indices of the kept part (top row first).
std::vector<unsigned char> DecodeRle(std::string_view file, const BmpLayout& l, std::int64_t keep_w,
                                     std::int64_t keep_h) {
  const bool rle8 = l.compression == kBiRle8;
  std::vector<unsigned char> indices(static_cast<std::size_t>(keep_w * keep_h), 0);
  std::int64_t x = 0;
  std::int64_t y = 0;  // row in file order
  auto put = [&](std::int64_t px, std::uint32_t value) {
    if (px >= keep_w) return;
    const std::int64_t row = l.top_down ? y : l.height - 1 - y;
    if (row >= keep_h) return;
    indices[static_cast<std::size_t>(row * keep_w + px)] = static_cast<unsigned char>(value);
  };
  auto nibble = [](std::uint32_t byte, std::int64_t i) { return i % 2 == 0 ? byte >> 4 : byte & 0x0F; };
  std::size_t p = l.offset;
  while (p + 1 < file.size() && y < l.height) {
    const std::uint32_t a = U8(file, p);
    const std::uint32_t b = U8(file, p + 1);
    p += 2;
    if (a > 0) {  // a run of `a` pixels
      for (std::int64_t i = 0; i < a; ++i) put(x + i, rle8 ? b : nibble(b, i));
      x += a;
    } else if (b == 0) {  // end of line
      x = 0;
      ++y;
    } else if (b == 1) {  // end of picture
      break;
    } else if (b == 2) {  // move right and up
      if (p + 1 >= file.size()) break;
      x += U8(file, p);
      y += U8(file, p + 1);
      p += 2;
    } else {  // `b` pixels as they are, padded to a 2-byte boundary
      const std::size_t bytes = rle8 ? b : (b + 1) / 2;
      if (bytes > file.size() - p) break;
      for (std::int64_t i = 0; i < b; ++i)
        put(x + i, rle8 ? U8(file, p + static_cast<std::size_t>(i))
                        : nibble(U8(file, p + static_cast<std::size_t>(i / 2)), i));
      x += b;
      p += bytes + (bytes % 2);
    }
  }
  return indices;
}

std::optional<std::string> CropRleBmp(std::string_view file, const BmpLayout& l, std::int64_t keep_w,
                                      std::int64_t keep_h) {
  if (l.header < 40 || (l.compression == kBiRle8 && l.bpp != 8) || (l.compression == kBiRle4 && l.bpp != 4))
    return std::nullopt;
  if (keep_w * keep_h > kMaxDecodedBytes) return std::nullopt;
  const std::vector<unsigned char> indices = DecodeRle(file, l, keep_w, keep_h);

  const std::uint32_t entries = 1u << l.bpp;
  const std::uint32_t stated = U32(file, kInfoAt + 32);
  const std::size_t palette_at = kInfoAt + l.header;
  const std::uint32_t present = std::min<std::uint32_t>(
      {stated == 0 ? entries : stated, entries, static_cast<std::uint32_t>((l.offset - palette_at) / 4)});
  const std::int64_t row = BmpRowBytes(keep_w, 8);
  const std::uint32_t offset = 14 + 40 + entries * 4;
  const std::uint32_t pixels = static_cast<std::uint32_t>(row * keep_h);

  std::string out = "BM";
  Put32(out, offset + pixels);
  Put32(out, 0);
  Put32(out, offset);
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(keep_w));
  Put32(out, static_cast<std::uint32_t>(keep_h));
  Put16(out, 1);
  Put16(out, 8);
  Put32(out, kBiRgb);
  Put32(out, pixels);
  Put32(out, U32(file, kInfoAt + 24));  // resolution
  Put32(out, U32(file, kInfoAt + 28));
  Put32(out, entries);
  Put32(out, 0);
  out.append(file.substr(palette_at, std::size_t{present} * 4));
  out.append(std::size_t{entries - present} * 4, '\0');
  out.reserve(offset + pixels);
  for (std::int64_t r = keep_h - 1; r >= 0; --r) {  // bottom row first
    const auto* begin = indices.data() + r * keep_w;
    out.append(reinterpret_cast<const char*>(begin), static_cast<std::size_t>(keep_w));
    out.append(static_cast<std::size_t>(row - keep_w), '\0');
  }
  return out;
}

std::optional<std::string> CropBmp(std::string_view file, std::int64_t max_w, std::int64_t max_h) {
  const auto l = ParseBmp(file);
  if (!l) return std::nullopt;
  const std::int64_t keep_w = std::min(l->width, max_w);
  const std::int64_t keep_h = std::min(l->height, max_h);
  switch (l->compression) {
    case kBiRgb:
    case kBiBitfields:
    case kBiAlphaBitfields: return CropPlainBmp(file, *l, keep_w, keep_h);
    case kBiRle8:
    case kBiRle4: return CropRleBmp(file, *l, keep_w, keep_h);
    default: return std::nullopt;
  }
}

// ---- PNG ----
// The functions that call setjmp keep no objects with destructors: libpng
// leaves them by longjmp. Buffers belong to the callers.

void PngWrite(png_structp png, png_bytep data, png_size_t n) {
  static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), n);
}
void PngFlush(png_structp) {}

// The kept part of a PNG and the chunks that go with it.
struct PngImage {
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  int bit_depth = 0;
  int color_type = 0;
  std::size_t row_bytes = 0;         // of a kept row
  std::vector<png_byte> pixels;      // kept rows, row_bytes each
  std::vector<png_byte> full_rows;   // interlaced files: the kept rows at full width
  std::vector<png_byte> scratch;     // one row at full width
  std::vector<png_color> palette;
  std::vector<png_byte> trans_alpha;
  png_color_16 trans_color{};
  bool has_trans = false;
  bool has_gamma = false;
  png_fixed_point gamma = 0;
  bool has_srgb = false;
  int srgb_intent = 0;
  std::string profile_name;
  std::vector<png_byte> profile;
  bool has_phys = false;
  png_uint_32 res_x = 0, res_y = 0;
  int res_unit = 0;
};

void TakePngChunks(png_structp png, png_infop info, PngImage* img) {
  png_colorp palette = nullptr;
  int colours = 0;
  if (png_get_PLTE(png, info, &palette, &colours) != 0 && colours > 0)
    img->palette.assign(palette, palette + colours);
  png_bytep alpha = nullptr;
  int transparent = 0;
  png_color_16p colour = nullptr;
  if (png_get_tRNS(png, info, &alpha, &transparent, &colour) != 0) {
    img->has_trans = true;
    if (alpha != nullptr && transparent > 0) img->trans_alpha.assign(alpha, alpha + transparent);
    if (colour != nullptr) img->trans_color = *colour;
  }
  img->has_gamma = png_get_gAMA_fixed(png, info, &img->gamma) != 0;
  img->has_srgb = png_get_sRGB(png, info, &img->srgb_intent) != 0;
  png_charp name = nullptr;
  int compression = 0;
  png_bytep profile = nullptr;
  png_uint_32 length = 0;
  if (png_get_iCCP(png, info, &name, &compression, &profile, &length) != 0 && profile != nullptr) {
    img->profile_name = name != nullptr ? name : "ICC";
    img->profile.assign(profile, profile + length);
  }
  img->has_phys = png_get_pHYs(png, info, &img->res_x, &img->res_y, &img->res_unit) != 0;
}

bool PngDecodeTop(const unsigned char* data, std::size_t size, png_uint_32 max_w, png_uint_32 max_h,
                  PngImage* img) {
  PngSource src{data, size, 0};
  png_structp png = nullptr;
  png_infop info = nullptr;
  if (!PngOpenReader(&src, &png, &info)) return false;
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_read_info(png, info);
  const png_uint_32 w = png_get_image_width(png, info);
  const png_uint_32 h = png_get_image_height(png, info);
  const bool interlaced = png_get_interlace_type(png, info) != PNG_INTERLACE_NONE;
  const int passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);
  img->width = std::min(w, max_w);
  img->height = std::min(h, max_h);
  img->bit_depth = png_get_bit_depth(png, info);
  img->color_type = png_get_color_type(png, info);
  const std::size_t full = png_get_rowbytes(png, info);
  const std::int64_t bits = std::int64_t{img->width} * img->bit_depth * png_get_channels(png, info);
  img->row_bytes = static_cast<std::size_t>((bits + 7) / 8);
  const std::int64_t decoded = static_cast<std::int64_t>(full) * (interlaced ? h : img->height);
  if (full == 0 || decoded > kMaxDecodedBytes) png_error(png, "too large");
  TakePngChunks(png, info, img);

  img->scratch.resize(full);
  img->pixels.resize(img->row_bytes * img->height);
  if (interlaced) {
    // Every pass goes over all rows; only the kept ones are assembled.
    img->full_rows.resize(full * img->height);
    for (int pass = 0; pass < passes; ++pass)
      for (png_uint_32 y = 0; y < h; ++y)
        png_read_row(png, y < img->height ? img->full_rows.data() + y * full : img->scratch.data(), nullptr);
    for (png_uint_32 y = 0; y < img->height; ++y)
      std::memcpy(img->pixels.data() + y * img->row_bytes, img->full_rows.data() + y * full, img->row_bytes);
  } else {
    for (png_uint_32 y = 0; y < img->height; ++y) {
      png_read_row(png, img->scratch.data(), nullptr);
      std::memcpy(img->pixels.data() + y * img->row_bytes, img->scratch.data(), img->row_bytes);
    }
  }
  if (const std::int64_t last = bits % 8; last != 0)
    for (png_uint_32 y = 0; y < img->height; ++y) {
      png_byte& b = img->pixels[(y + 1) * img->row_bytes - 1];
      b = KeepHighBits(b, last);
    }
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

bool PngEncode(PngImage* img, std::string* out) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, PngError, PngWarning);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_benign_errors(png, 1);
  png_set_write_fn(png, out, PngWrite, PngFlush);
  png_set_IHDR(png, info, img->width, img->height, img->bit_depth, img->color_type, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!img->palette.empty())
    png_set_PLTE(png, info, img->palette.data(), static_cast<int>(img->palette.size()));
  if (img->has_trans)
    png_set_tRNS(png, info, img->trans_alpha.empty() ? nullptr : img->trans_alpha.data(),
                 static_cast<int>(img->trans_alpha.size()), &img->trans_color);
  if (img->has_gamma) png_set_gAMA_fixed(png, info, img->gamma);
  if (!img->profile.empty())
    png_set_iCCP(png, info, img->profile_name.c_str(), PNG_COMPRESSION_TYPE_BASE, img->profile.data(),
                 static_cast<png_uint_32>(img->profile.size()));
  else if (img->has_srgb)
    png_set_sRGB(png, info, img->srgb_intent);
  if (img->has_phys) png_set_pHYs(png, info, img->res_x, img->res_y, img->res_unit);
  png_write_info(png, info);
  for (png_uint_32 y = 0; y < img->height; ++y) png_write_row(png, img->pixels.data() + y * img->row_bytes);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

std::optional<std::string> CropPng(std::string_view file, std::int64_t max_w, std::int64_t max_h) {
  PngImage img;
  if (!PngDecodeTop(reinterpret_cast<const unsigned char*>(file.data()), file.size(),
                    static_cast<png_uint_32>(max_w), static_cast<png_uint_32>(max_h), &img))
    return std::nullopt;
  img.full_rows = {};
  img.scratch = {};
  std::string out;
  if (!PngEncode(&img, &out)) return std::nullopt;
  return out;
}

// ---- JPEG ----
void JpegProgress(j_common_ptr cinfo) {
  if (cinfo->is_decompressor && reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxJpegScans)
    JpegExit(cinfo);
}

// The kept part of a JPEG, decoded.
struct JpegImage {
  JDIMENSION width = 0;
  JDIMENSION height = 0;
  int components = 0;
  J_COLOR_SPACE colour_space = JCS_UNKNOWN;
  bool has_density = false;
  UINT8 density_unit = 0;
  UINT16 density_x = 0, density_y = 0;
  std::vector<JSAMPLE> pixels;   // kept rows, width * components each
  std::vector<JSAMPLE> scratch;  // one row at full width
};

bool JpegDecodeTop(const unsigned char* data, std::size_t size, JDIMENSION max_w, JDIMENSION max_h,
                   JpegImage* img) {
  jpeg_decompress_struct cinfo;
  std::memset(&cinfo, 0, sizeof cinfo);
  JpegError err;
  jpeg_progress_mgr progress;
  std::memset(&progress, 0, sizeof progress);
  progress.progress_monitor = JpegProgress;
  cinfo.err = jpeg_std_error(&err.mgr);
  err.mgr.error_exit = JpegExit;
  err.mgr.output_message = JpegMessage;
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  cinfo.mem->max_memory_to_use = kMaxJpegMemory;
  cinfo.progress = &progress;
  jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
  if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK || !SaneSide(cinfo.image_width) ||
      !SaneSide(cinfo.image_height)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  img->has_density = cinfo.saw_JFIF_marker != 0;
  img->density_unit = cinfo.density_unit;
  img->density_x = cinfo.X_density;
  img->density_y = cinfo.Y_density;
  jpeg_start_decompress(&cinfo);
  img->width = std::min(cinfo.output_width, max_w);
  img->height = std::min(cinfo.output_height, max_h);
  img->components = cinfo.output_components;
  img->colour_space = cinfo.out_color_space;
  const std::size_t kept = std::size_t{img->width} * static_cast<std::size_t>(img->components);
  if (static_cast<std::int64_t>(kept) * img->height > kMaxDecodedBytes) JpegExit(reinterpret_cast<j_common_ptr>(&cinfo));
  img->scratch.resize(std::size_t{cinfo.output_width} * static_cast<std::size_t>(img->components));
  img->pixels.resize(kept * img->height);
  while (cinfo.output_scanline < img->height) {
    const JDIMENSION y = cinfo.output_scanline;
    JSAMPROW row = img->scratch.data();
    if (jpeg_read_scanlines(&cinfo, &row, 1) != 1) JpegExit(reinterpret_cast<j_common_ptr>(&cinfo));
    std::memcpy(img->pixels.data() + y * kept, img->scratch.data(), kept);
  }
  // The rows below the kept ones are never decoded.
  jpeg_destroy_decompress(&cinfo);
  return true;
}

// The written file lands in memory that libjpeg takes with malloc; the
// caller frees it, also after a failure.
struct JpegOutput {
  unsigned char* data = nullptr;
  unsigned long size = 0;
};

bool JpegEncode(JpegImage* img, JpegOutput* out) {
  jpeg_compress_struct cinfo;
  std::memset(&cinfo, 0, sizeof cinfo);
  JpegError err;
  cinfo.err = jpeg_std_error(&err.mgr);
  err.mgr.error_exit = JpegExit;
  err.mgr.output_message = JpegMessage;
  if (setjmp(err.jump)) {
    jpeg_destroy_compress(&cinfo);
    return false;
  }
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, &out->data, &out->size);
  cinfo.image_width = img->width;
  cinfo.image_height = img->height;
  cinfo.input_components = img->components;
  cinfo.in_color_space = img->colour_space;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, kJpegQuality, TRUE);
  if (img->has_density) {
    cinfo.density_unit = img->density_unit;
    cinfo.X_density = img->density_x;
    cinfo.Y_density = img->density_y;
  }
  jpeg_start_compress(&cinfo, TRUE);
  const std::size_t row_bytes = std::size_t{img->width} * static_cast<std::size_t>(img->components);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = img->pixels.data() + cinfo.next_scanline * row_bytes;
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return true;
}

std::optional<std::string> CropJpeg(std::string_view file, std::int64_t max_w, std::int64_t max_h) {
  JpegImage img;
  if (!JpegDecodeTop(reinterpret_cast<const unsigned char*>(file.data()), file.size(),
                     static_cast<JDIMENSION>(max_w), static_cast<JDIMENSION>(max_h), &img))
    return std::nullopt;
  img.scratch = {};
  JpegOutput out;
  const bool ok = JpegEncode(&img, &out);
  std::optional<std::string> result;
  if (ok && out.data != nullptr) result.emplace(reinterpret_cast<const char*>(out.data), out.size);
  std::free(out.data);
  return result;
}

std::optional<PictureSize> Measure(const TPicture& picture) {
  switch (picture.Kind) {
    case PictureKind::Bitmap: return ReadBmpSize(picture.Data);
    case PictureKind::Jpeg: return ReadJpegSize(picture.Data);
    case PictureKind::Png: return ReadPngSize(picture.Data);
    default: return std::nullopt;
  }
}

}  // namespace

std::optional<TPicture> CropPicture(const TPicture& picture, int max_width, int max_height) {
  if (max_width <= 0 || max_height <= 0) return std::nullopt;
  if (picture.Kind == PictureKind::None || picture.Kind == PictureKind::Icon ||
      picture.Kind == PictureKind::Metafile)
    return picture;
  const auto size = Measure(picture);
  if (!size) return std::nullopt;
  if (size->Width <= max_width && size->Height <= max_height) return picture;

  const std::int64_t max_w = std::min<std::int64_t>(max_width, kMaxSide);
  const std::int64_t max_h = std::min<std::int64_t>(max_height, kMaxSide);
  std::optional<std::string> bytes;
  switch (picture.Kind) {
    case PictureKind::Bitmap: bytes = CropBmp(picture.Data, max_w, max_h); break;
    case PictureKind::Png: bytes = CropPng(picture.Data, max_w, max_h); break;
    case PictureKind::Jpeg: bytes = CropJpeg(picture.Data, max_w, max_h); break;
    default: break;
  }
  if (!bytes) return std::nullopt;
  TPicture cut;
  if (!PictureFromFileBytes(picture.Kind, std::move(*bytes), cut)) return std::nullopt;
  return cut;
}

}  // namespace pc::project
