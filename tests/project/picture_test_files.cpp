#include "picture_test_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>
#include <png.h>

namespace pc::project::testing {
namespace {

void Put16(std::string& s, std::uint32_t v) {
  s.push_back(static_cast<char>(v & 0xFF));
  s.push_back(static_cast<char>((v >> 8) & 0xFF));
}
void Put32(std::string& s, std::uint32_t v) {
  Put16(s, v & 0xFFFF);
  Put16(s, v >> 16);
}

void PngWrite(png_structp png, png_bytep data, png_size_t n) {
  static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), n);
}
void PngFlush(png_structp) {}

}  // namespace

std::uint32_t BmpPattern(int x, int y, int bpp) {
  std::uint32_t v = static_cast<std::uint32_t>(x) * 2654435761u ^ static_cast<std::uint32_t>(y) * 40503u;
  v ^= v >> 13;
  v *= 0x5BD1E995u;
  v ^= v >> 15;
  return bpp >= 32 ? v : v & ((1u << bpp) - 1);
}

namespace {

int PaletteEntries(int bpp) { return bpp <= 8 ? 1 << bpp : 0; }

std::string BmpHeaders(int w, int h, int bpp, std::uint32_t compression, std::uint32_t pixels) {
  const int entries = PaletteEntries(bpp);
  const std::uint32_t offset = 14 + 40 + static_cast<std::uint32_t>(entries * 4);
  std::string s = "BM";
  Put32(s, offset + pixels);
  Put32(s, 0);
  Put32(s, offset);
  Put32(s, 40);
  Put32(s, static_cast<std::uint32_t>(w));
  Put32(s, static_cast<std::uint32_t>(h));
  Put16(s, 1);
  Put16(s, static_cast<std::uint32_t>(bpp));
  Put32(s, compression);
  Put32(s, pixels);
  Put32(s, 2835);
  Put32(s, 2835);
  Put32(s, static_cast<std::uint32_t>(entries));
  Put32(s, 0);
  for (int i = 0; i < entries; ++i) Put32(s, static_cast<std::uint32_t>(i * 0x030507) & 0xFFFFFF);
  return s;
}

}  // namespace

std::string MakeBmp(int w, int h, int bpp, bool top_down) {
  const std::size_t row = static_cast<std::size_t>(((w * bpp + 31) / 32) * 4);
  std::string pixels(row * static_cast<std::size_t>(h), '\0');
  for (int r = 0; r < h; ++r) {
    const int y = top_down ? r : h - 1 - r;
    char* line = pixels.data() + static_cast<std::size_t>(r) * row;
    for (int x = 0; x < w; ++x) {
      const std::uint32_t v = BmpPattern(x, y, bpp);
      if (bpp < 8) {
        const int bit = x * bpp;
        line[bit / 8] = static_cast<char>(line[bit / 8] | (v << (8 - bpp - bit % 8)));
      } else {
        for (int b = 0; b < bpp / 8; ++b) line[x * (bpp / 8) + b] = static_cast<char>((v >> (8 * b)) & 0xFF);
      }
    }
  }
  return BmpHeaders(w, top_down ? -h : h, bpp, 0, static_cast<std::uint32_t>(pixels.size())) + pixels;
}

std::string MakeRleBmp(int w, int h, int bpp) {
  const bool rle8 = bpp == 8;
  std::string runs;
  auto literal = [&](int y, int x0, int n) {
    runs.push_back(0);
    runs.push_back(static_cast<char>(n));
    const std::size_t start = runs.size();
    for (int i = 0; i < n; ++i) {
      const std::uint32_t v = BmpPattern(x0 + i, y, bpp);
      if (rle8)
        runs.push_back(static_cast<char>(v));
      else if (i % 2 == 0)
        runs.push_back(static_cast<char>(v << 4));
      else
        runs.back() = static_cast<char>(runs.back() | static_cast<char>(v));
    }
    if ((runs.size() - start) % 2 != 0) runs.push_back(0);
  };
  for (int r = 0; r < h; ++r) {
    const int y = h - 1 - r;
    int x = 0;
    while (x < w) {
      if (r % 2 == 1 && w - x >= 3) {
        const int n = std::min(w - x, 254);
        literal(y, x, n);
        x += n;
      } else if (rle8) {
        runs.push_back(1);
        runs.push_back(static_cast<char>(BmpPattern(x, y, 8)));
        ++x;
      } else {
        const int n = std::min(w - x, 2);
        const std::uint32_t hi = BmpPattern(x, y, 4);
        const std::uint32_t lo = n == 2 ? BmpPattern(x + 1, y, 4) : 0;
        runs.push_back(static_cast<char>(n));
        runs.push_back(static_cast<char>((hi << 4) | lo));
        x += n;
      }
    }
    runs.push_back(0);
    runs.push_back(0);  // end of line
  }
  runs.push_back(0);
  runs.push_back(1);  // end of picture
  return BmpHeaders(w, h, bpp, rle8 ? 1 : 2, static_cast<std::uint32_t>(runs.size())) + runs;
}

std::optional<std::uint32_t> BmpPixel(std::string_view bmp, int x, int y) {
  auto u = [&](std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bmp[at + static_cast<std::size_t>(i)]);
    return v;
  };
  if (bmp.size() < 54 || bmp.substr(0, 2) != "BM" || u(14, 4) != 40 || u(30, 4) != 0) return std::nullopt;
  const int w = static_cast<std::int32_t>(u(18, 4));
  const int h = static_cast<std::int32_t>(u(22, 4));
  const int rows = h < 0 ? -h : h;
  const int bpp = static_cast<int>(u(28, 2));
  if (x < 0 || y < 0 || x >= w || y >= rows) return std::nullopt;
  const std::size_t row = static_cast<std::size_t>(((w * bpp + 31) / 32) * 4);
  const std::size_t r = static_cast<std::size_t>(h < 0 ? y : rows - 1 - y);
  const std::size_t line = u(10, 4) + r * row;
  if (line + row > bmp.size()) return std::nullopt;
  if (bpp < 8) {
    const int bit = x * bpp;
    const std::uint32_t byte = static_cast<unsigned char>(bmp[line + static_cast<std::size_t>(bit / 8)]);
    return (byte >> (8 - bpp - bit % 8)) & ((1u << bpp) - 1);
  }
  return u(line + static_cast<std::size_t>(x * (bpp / 8)), bpp / 8);
}

TPicture PictureOf(PictureKind kind, const std::string& file) {
  TPicture p;
  EXPECT_TRUE(PictureFromFileBytes(kind, file, p));
  return p;
}

std::uint8_t PngPattern(int x, int y, int channel) { return static_cast<std::uint8_t>(3 * x + channel + y); }

std::string MakePng(int w, int h) {
  std::string out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return {};
  }
  png_set_write_fn(png, &out, PngWrite, PngFlush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(w), static_cast<png_uint_32>(h), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<png_byte> row(static_cast<std::size_t>(w) * 3);
  for (int y = 0; y < h; ++y) {
    for (std::size_t x = 0; x < row.size(); ++x) row[x] = static_cast<png_byte>(x + static_cast<std::size_t>(y));
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

std::string MakeGreyPng(int w, int h, int bit_depth, bool interlaced) {
  std::string out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return {};
  }
  png_set_write_fn(png, &out, PngWrite, PngFlush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(w), static_cast<png_uint_32>(h), bit_depth, PNG_COLOR_TYPE_GRAY,
               interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  const std::size_t row_bytes = (static_cast<std::size_t>(w) * static_cast<std::size_t>(bit_depth) + 7) / 8;
  std::vector<std::vector<png_byte>> rows(static_cast<std::size_t>(h), std::vector<png_byte>(row_bytes, 0));
  std::vector<png_bytep> pointers;
  for (int y = 0; y < h; ++y) {
    auto& row = rows[static_cast<std::size_t>(y)];
    for (int x = 0; x < w; ++x) {
      const int bit = x * bit_depth;
      row[static_cast<std::size_t>(bit / 8)] = static_cast<png_byte>(
          row[static_cast<std::size_t>(bit / 8)] | (BmpPattern(x, y, bit_depth) << (8 - bit_depth - bit % 8)));
    }
    pointers.push_back(row.data());
  }
  png_write_image(png, pointers.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

DecodedPng DecodePng(const std::string& file, int channels) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  DecodedPng out;
  if (png_image_begin_read_from_memory(&image, file.data(), file.size()) == 0) return out;
  image.format = channels == 1 ? PNG_FORMAT_GRAY : PNG_FORMAT_RGB;
  std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
  if (png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) == 0) {
    png_image_free(&image);
    return out;
  }
  out.Width = static_cast<int>(image.width);
  out.Height = static_cast<int>(image.height);
  out.Channels = channels;
  out.Pixels = std::move(pixels);
  return out;
}

std::string MakeJpeg(int w, int h) {
  jpeg_compress_struct c;
  jpeg_error_mgr err;
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char* mem = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &mem, &size);
  c.image_width = static_cast<JDIMENSION>(w);
  c.image_height = static_cast<JDIMENSION>(h);
  c.input_components = 3;
  c.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_start_compress(&c, TRUE);
  std::vector<JSAMPLE> row(static_cast<std::size_t>(w) * 3);
  while (c.next_scanline < c.image_height) {
    for (std::size_t x = 0; x < row.size(); ++x) row[x] = static_cast<JSAMPLE>(x * 5 + c.next_scanline);
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&c, rows, 1);
  }
  jpeg_finish_compress(&c);
  std::string out(reinterpret_cast<char*>(mem), size);
  jpeg_destroy_compress(&c);
  std::free(mem);
  return out;
}

std::string MakeIco(int w, int h) {
  const std::string image = MakePng(w, h);
  std::string s;
  Put16(s, 0);
  Put16(s, 1);
  Put16(s, 1);
  s.push_back(static_cast<char>(w >= 256 ? 0 : w));
  s.push_back(static_cast<char>(h >= 256 ? 0 : h));
  s.push_back(0);
  s.push_back(0);
  Put16(s, 1);
  Put16(s, 32);
  Put32(s, static_cast<std::uint32_t>(image.size()));
  Put32(s, 22);
  return s + image;
}

std::string MakeEmf(int w, int h) {
  std::string s;
  Put32(s, 1);    // EMR_HEADER
  Put32(s, 108);  // header size
  Put32(s, 0);
  Put32(s, 0);
  Put32(s, static_cast<std::uint32_t>(w - 1));
  Put32(s, static_cast<std::uint32_t>(h - 1));
  for (int i = 0; i < 4; ++i) Put32(s, 0);  // frame
  Put32(s, 0x464D4520);                     // " EMF"
  Put32(s, 0x00010000);
  Put32(s, 108 + 20);  // total bytes
  Put32(s, 2);         // records
  Put16(s, 1);
  Put16(s, 0);
  while (s.size() < 108) s.push_back(0);
  Put32(s, 14);  // EMR_EOF
  Put32(s, 20);
  Put32(s, 0);
  Put32(s, 16);
  Put32(s, 20);
  return s;
}

std::string MakeWmf(int w, int h) {
  std::string s;
  Put32(s, 0x9AC6CDD7);
  Put16(s, 0);
  Put16(s, 0);
  Put16(s, 0);
  Put16(s, static_cast<std::uint32_t>(w));
  Put16(s, static_cast<std::uint32_t>(h));
  Put16(s, 96);
  Put32(s, 0);
  std::uint32_t sum = 0;
  for (std::size_t i = 0; i < 20; i += 2)
    sum ^= static_cast<unsigned char>(s[i]) | (static_cast<unsigned char>(s[i + 1]) << 8);
  Put16(s, sum);
  // standard header
  Put16(s, 1);
  Put16(s, 9);
  Put16(s, 0x0300);
  Put32(s, 12);
  Put16(s, 0);
  Put32(s, 3);
  Put16(s, 0);
  Put32(s, 3);  // end record
  Put16(s, 0);
  return s;
}

}  // namespace pc::project::testing
