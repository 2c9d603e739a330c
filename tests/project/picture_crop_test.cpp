// Cutting pictures down to a largest size: the kept part, the kind and depth
// they keep, pictures left alone, and damaged data refused without a crash.
#include <gtest/gtest.h>

#include <ostream>

#include <cstdint>
#include <random>

#include "picture_test_files.h"
#include "project/picture.h"
#include "project/picture_crop.h"
#include "project/picture_size.h"

namespace pc::project {
namespace {

using namespace pc::project::testing;

std::uint32_t U32(const std::string& s, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(s[at + static_cast<std::size_t>(i)]);
  return v;
}
std::uint32_t Depth(const std::string& bmp) { return U32(bmp, 28) & 0xFFFF; }

// The cut picture is valid on its own: measuring its bytes again gives the
// size it claims.
void ExpectMeasuresAs(const TPicture& cut, int w, int h) {
  EXPECT_EQ(cut.Width, w);
  EXPECT_EQ(cut.Height, h);
  TPicture again;
  ASSERT_TRUE(PictureFromFileBytes(cut.Kind, cut.Data, again));
  EXPECT_EQ(again.Width, w);
  EXPECT_EQ(again.Height, h);
}

struct BmpCase {
  const char* name;
  int width, height, bpp;
  bool top_down;
  int max_width, max_height;
  int expect_width, expect_height;
};
void PrintTo(const BmpCase& c, std::ostream* os) { *os << c.name; }

class BmpCropTest : public ::testing::TestWithParam<BmpCase> {};

TEST_P(BmpCropTest, KeepsTheTopLeftPixelsDepthPaletteAndRowOrder) {
  const BmpCase& c = GetParam();
  const std::string file = MakeBmp(c.width, c.height, c.bpp, c.top_down);
  const auto cut = CropPicture(PictureOf(PictureKind::Bitmap, file), c.max_width, c.max_height);
  ASSERT_TRUE(cut);
  EXPECT_EQ(cut->Kind, PictureKind::Bitmap);
  ExpectMeasuresAs(*cut, c.expect_width, c.expect_height);
  const std::string& out = cut->Data;
  EXPECT_EQ(Depth(out), static_cast<std::uint32_t>(c.bpp));
  EXPECT_EQ(static_cast<std::int32_t>(U32(out, 22)) < 0, c.top_down);
  const std::uint32_t offset = U32(file, 10);
  EXPECT_EQ(out.substr(54, offset - 54), file.substr(54, offset - 54)) << "palette";
  const std::uint32_t row = static_cast<std::uint32_t>(((c.expect_width * c.bpp + 31) / 32) * 4);
  EXPECT_EQ(U32(out, 2), out.size());
  EXPECT_EQ(U32(out, 34), row * static_cast<std::uint32_t>(c.expect_height));
  EXPECT_EQ(out.size(), offset + row * static_cast<std::uint32_t>(c.expect_height));
  for (int y = 0; y < c.expect_height; ++y)
    for (int x = 0; x < c.expect_width; ++x)
      ASSERT_EQ(BmpPixel(out, x, y), BmpPattern(x, y, c.bpp)) << "pixel " << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(
    Depths, BmpCropTest,
    ::testing::Values(BmpCase{"bpp24_300x100_to_200x100", 300, 100, 24, false, 200, 110, 200, 100},
                      BmpCase{"bpp24_top_down", 300, 150, 24, true, 200, 110, 200, 110},
                      BmpCase{"bpp8_both_ways", 230, 130, 8, false, 200, 110, 200, 110},
                      BmpCase{"bpp8_only_taller", 150, 300, 8, false, 200, 110, 150, 110},
                      BmpCase{"bpp1_both_ways", 250, 150, 1, false, 200, 110, 200, 110},
                      BmpCase{"bpp1_inside_a_byte", 40, 20, 1, false, 13, 7, 13, 7},
                      BmpCase{"bpp1_top_down", 40, 20, 1, true, 13, 7, 13, 7},
                      BmpCase{"bpp4_odd_width", 31, 9, 4, false, 5, 3, 5, 3},
                      BmpCase{"bpp16", 210, 120, 16, false, 200, 110, 200, 110},
                      BmpCase{"bpp32_top_down", 210, 120, 32, true, 200, 110, 200, 110}),
    [](const auto& info) { return std::string(info.param.name); });

struct RleCase {
  const char* name;
  int width, height, bpp;
  int expect_width, expect_height;
};
void PrintTo(const RleCase& c, std::ostream* os) { *os << c.name; }

class RleCropTest : public ::testing::TestWithParam<RleCase> {};

TEST_P(RleCropTest, BecomesAnUncompressed8BitBitmapWithTheSameIndices) {
  const RleCase& c = GetParam();
  const auto cut = CropPicture(PictureOf(PictureKind::Bitmap, MakeRleBmp(c.width, c.height, c.bpp)), 200, 110);
  ASSERT_TRUE(cut);
  ExpectMeasuresAs(*cut, c.expect_width, c.expect_height);
  EXPECT_EQ(Depth(cut->Data), 8u);
  EXPECT_EQ(U32(cut->Data, 30), 0u) << "uncompressed";
  for (int y = 0; y < c.expect_height; ++y)
    for (int x = 0; x < c.expect_width; ++x)
      ASSERT_EQ(BmpPixel(cut->Data, x, y), BmpPattern(x, y, c.bpp)) << "pixel " << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Codings, RleCropTest,
                         ::testing::Values(RleCase{"rle8", 300, 120, 8, 200, 110},
                                           RleCase{"rle4", 251, 40, 4, 200, 40}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PngCropTest, RgbPngKeepsItsTopRowsLosslessly) {
  const auto cut = CropPicture(PictureOf(PictureKind::Png, MakePng(120, 120)), 200, 110);
  ASSERT_TRUE(cut);
  EXPECT_EQ(cut->Kind, PictureKind::Png);
  ExpectMeasuresAs(*cut, 120, 110);
  const DecodedPng px = DecodePng(cut->Data, 3);
  ASSERT_EQ(px.Width, 120);
  ASSERT_EQ(px.Height, 110);
  for (const auto& [x, y] : {std::pair{0, 0}, std::pair{119, 0}, std::pair{57, 63}, std::pair{119, 109}})
    for (int c = 0; c < 3; ++c) EXPECT_EQ(px.At(x, y, c), PngPattern(x, y, c)) << x << "," << y;
}

TEST(PngCropTest, InterlacedGreyPngOfFewBitsKeepsItsDepth) {
  for (const int bits : {1, 2, 4}) {
    const auto cut = CropPicture(PictureOf(PictureKind::Png, MakeGreyPng(90, 130, bits, true)), 37, 110);
    ASSERT_TRUE(cut) << bits;
    ExpectMeasuresAs(*cut, 37, 110);
    EXPECT_EQ(static_cast<unsigned char>(cut->Data[24]), bits) << "IHDR bit depth";
    EXPECT_EQ(cut->Data[28], 0) << "not interlaced";
    const DecodedPng px = DecodePng(cut->Data, 1);
    ASSERT_EQ(px.Width, 37);
    const int scale = 255 / ((1 << bits) - 1);
    for (int y = 0; y < 110; y += 7)
      for (int x = 0; x < 37; ++x)
        ASSERT_EQ(px.At(x, y, 0), BmpPattern(x, y, bits) * scale) << bits << ": " << x << "," << y;
  }
}

TEST(JpegCropTest, StaysAJpegOfTheCutSize) {
  const auto cut = CropPicture(PictureOf(PictureKind::Jpeg, MakeJpeg(250, 50)), 200, 110);
  ASSERT_TRUE(cut);
  EXPECT_EQ(cut->Kind, PictureKind::Jpeg);
  ExpectMeasuresAs(*cut, 200, 50);
  EXPECT_EQ(ReadJpegSize(cut->Data), (PictureSize{200, 50}));
}

struct UnchangedCase {
  const char* name;
  PictureKind kind;
  std::string file;
};
void PrintTo(const UnchangedCase& c, std::ostream* os) { *os << c.name; }

class UnchangedCropTest : public ::testing::TestWithParam<UnchangedCase> {};

TEST_P(UnchangedCropTest, ComesBackByteForByte) {
  const TPicture original = PictureOf(GetParam().kind, GetParam().file);
  const auto cut = CropPicture(original, 200, 110);
  ASSERT_TRUE(cut);
  EXPECT_EQ(*cut, original);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, UnchangedCropTest,
    ::testing::Values(UnchangedCase{"bmp_100x50", PictureKind::Bitmap, MakeBmp(100, 50)},
                      UnchangedCase{"bmp_exactly_200x110", PictureKind::Bitmap, MakeBmp(200, 110, 8)},
                      UnchangedCase{"rle_100x50", PictureKind::Bitmap, MakeRleBmp(100, 50, 8)},
                      UnchangedCase{"png_100x50", PictureKind::Png, MakePng(100, 50)},
                      UnchangedCase{"jpeg_100x50", PictureKind::Jpeg, MakeJpeg(100, 50)},
                      UnchangedCase{"icon_256", PictureKind::Icon, MakeIco(256, 256)},
                      UnchangedCase{"emf_wide", PictureKind::Metafile, MakeEmf(900, 300)},
                      UnchangedCase{"wmf_wide", PictureKind::Metafile, MakeWmf(900, 300)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PictureCropTest, EmptyPictureStaysEmptyAndBoundsMustBePositive) {
  EXPECT_EQ(CropPicture(TPicture{}, 200, 110), TPicture{});
  const TPicture bmp = PictureOf(PictureKind::Bitmap, MakeBmp(4, 4));
  EXPECT_FALSE(CropPicture(bmp, 0, 110));
  EXPECT_FALSE(CropPicture(bmp, 200, -1));
}

struct DamagedCase {
  const char* name;
  PictureKind kind;
  std::string data;
};
void PrintTo(const DamagedCase& c, std::ostream* os) { *os << c.name; }

class DamagedCropTest : public ::testing::TestWithParam<DamagedCase> {};

TEST_P(DamagedCropTest, IsRefused) {
  TPicture p;
  p.Kind = GetParam().kind;
  p.Data = GetParam().data;
  p.Width = 300;
  p.Height = 300;
  EXPECT_FALSE(CropPicture(p, 200, 110));
}

std::string PngWithoutPixels() {
  std::string png = MakePng(300, 300);
  return png.substr(0, 8 + 25 + 60);  // the header and a little of the data
}

INSTANTIATE_TEST_SUITE_P(
    Data, DamagedCropTest,
    ::testing::Values(DamagedCase{"bmp_garbage", PictureKind::Bitmap, std::string(300, 'B')},
                      DamagedCase{"bmp_pixels_missing", PictureKind::Bitmap, MakeBmp(300, 300).substr(0, 2000)},
                      DamagedCase{"png_garbage", PictureKind::Png, std::string(300, '\x89')},
                      DamagedCase{"png_pixels_missing", PictureKind::Png, PngWithoutPixels()},
                      DamagedCase{"jpeg_garbage", PictureKind::Jpeg, std::string("\xFF\xD8") + std::string(200, 'J')},
                      DamagedCase{"jpeg_png_inside", PictureKind::Jpeg, MakePng(300, 300)}),
    [](const auto& info) { return std::string(info.param.name); });

// Cut and flipped files of every kind: each either fails or gives a valid
// picture within the bounds; none reads outside its bytes (sanitised build).
TEST(PictureCropTest, HostileBytesNeverCrash) {
  const std::vector<std::pair<PictureKind, std::string>> sources = {
      {PictureKind::Bitmap, MakeBmp(230, 130, 4)},     {PictureKind::Bitmap, MakeRleBmp(230, 130, 8)},
      {PictureKind::Bitmap, MakeRleBmp(230, 20, 4)},   {PictureKind::Png, MakePng(230, 130)},
      {PictureKind::Png, MakeGreyPng(230, 130, 2, true)}, {PictureKind::Jpeg, MakeJpeg(230, 130)}};
  std::mt19937 random(20080310);
  for (const auto& [kind, file] : sources) {
    std::vector<std::string> variants;
    for (std::size_t cut = 0; cut < file.size(); cut += 1 + file.size() / 40) variants.push_back(file.substr(0, cut));
    for (int i = 0; i < 60; ++i) {
      std::string flipped = file;
      for (int n = 0; n < 4; ++n) flipped[random() % flipped.size()] = static_cast<char>(random());
      variants.push_back(std::move(flipped));
    }
    for (const std::string& bytes : variants) {
      TPicture p;
      p.Kind = kind;
      p.Data = bytes;
      if (const auto cut = CropPicture(p, 200, 110)) {
        EXPECT_LE(cut->Width, 200);
        EXPECT_LE(cut->Height, 110);
      }
    }
  }
}

}  // namespace
}  // namespace pc::project
