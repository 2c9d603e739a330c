#include "picture_test_files.h"

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

std::string MakeBmp(int w, int h, int bpp) {
  const int palette = bpp == 8 ? 256 * 4 : 0;
  const int row = ((w * bpp + 31) / 32) * 4;
  const std::uint32_t pixels = static_cast<std::uint32_t>(row * h);
  const std::uint32_t offset = 14 + 40 + static_cast<std::uint32_t>(palette);
  std::string s = "BM";
  Put32(s, offset + pixels);
  Put32(s, 0);
  Put32(s, offset);
  Put32(s, 40);
  Put32(s, static_cast<std::uint32_t>(w));
  Put32(s, static_cast<std::uint32_t>(h));
  Put16(s, 1);
  Put16(s, static_cast<std::uint32_t>(bpp));
  Put32(s, 0);
  Put32(s, pixels);
  Put32(s, 2835);
  Put32(s, 2835);
  Put32(s, bpp == 8 ? 256 : 0);
  Put32(s, 0);
  for (int i = 0; i < palette / 4; ++i) Put32(s, static_cast<std::uint32_t>(i * 0x010101));
  for (std::uint32_t i = 0; i < pixels; ++i) s.push_back(static_cast<char>(i * 37));
  return s;
}

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
