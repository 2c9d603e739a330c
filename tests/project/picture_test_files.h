#pragma once
// Small picture files made in memory for the picture tests.
#include <string>

namespace pc::project::testing {

// A BMP file of w x h pixels with `bpp` bits per pixel (24 or 8).
std::string MakeBmp(int w, int h, int bpp = 24);
// A PNG file (libpng) of w x h RGB pixels.
std::string MakePng(int w, int h);
// A JPEG file (libjpeg) of w x h RGB pixels.
std::string MakeJpeg(int w, int h);
// An ICO file holding one w x h image (sizes up to 256).
std::string MakeIco(int w, int h);
// An enhanced metafile header record (and end record) with bounds w x h.
std::string MakeEmf(int w, int h);
// A placeable Windows metafile of w x h pixels at 96 units per inch.
std::string MakeWmf(int w, int h);

}  // namespace pc::project::testing
