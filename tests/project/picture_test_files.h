#pragma once
// Small picture files made in memory for the picture tests.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "project/picture.h"

namespace pc::project::testing {

// The picture of a test file that must read (a failed test otherwise).
TPicture PictureOf(PictureKind kind, const std::string& file);

// A BMP file of w x h pixels with `bpp` bits per pixel (1, 4, 8, 16, 24 or
// 32; a palette of 2^bpp entries up to 8), bottom-up unless `top_down`.
// Pixel (x, y), y counted from the top row, holds BmpPattern(x, y, bpp).
std::string MakeBmp(int w, int h, int bpp = 24, bool top_down = false);
// A run-length coded BMP (RLE8 for bpp 8, RLE4 for bpp 4) with the same
// pixels as MakeBmp; rows alternate between runs and literal pixels.
std::string MakeRleBmp(int w, int h, int bpp);
// The test pattern: a palette index or a packed pixel value of `bpp` bits.
std::uint32_t BmpPattern(int x, int y, int bpp);
// The raw value of pixel (x, y), y from the top, of an uncompressed BMP
// with a 40-byte info header; nullopt outside the picture or file.
std::optional<std::uint32_t> BmpPixel(std::string_view bmp, int x, int y);

// A PNG file (libpng) of w x h RGB pixels; channel c of pixel (x, y) is
// PngPattern(x, y, c).
std::string MakePng(int w, int h);
std::uint8_t PngPattern(int x, int y, int channel);
// A grey PNG of `bit_depth` bits (1, 2, 4 or 8), optionally interlaced;
// pixel (x, y) holds BmpPattern(x, y, bit_depth).
std::string MakeGreyPng(int w, int h, int bit_depth, bool interlaced);
// A PNG decoded (libpng's simplified reader) to 8-bit grey (channels 1) or
// RGB (channels 3); empty pixels when it cannot be read.
struct DecodedPng {
  int Width = 0;
  int Height = 0;
  int Channels = 0;
  std::vector<std::uint8_t> Pixels;
  std::uint8_t At(int x, int y, int c) const {
    return Pixels[(static_cast<std::size_t>(y) * static_cast<std::size_t>(Width) + static_cast<std::size_t>(x)) *
                      static_cast<std::size_t>(Channels) +
                  static_cast<std::size_t>(c)];
  }
};
DecodedPng DecodePng(const std::string& png, int channels);
// A JPEG file (libjpeg) of w x h RGB pixels.
std::string MakeJpeg(int w, int h);
// An ICO file holding one w x h image (sizes up to 256).
std::string MakeIco(int w, int h);
// An enhanced metafile header record (and end record) with bounds w x h.
std::string MakeEmf(int w, int h);
// A placeable Windows metafile of w x h pixels at 96 units per inch.
std::string MakeWmf(int w, int h);

}  // namespace pc::project::testing
