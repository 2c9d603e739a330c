// Measuring picture files from their headers, and refusing damaged ones.
#include <gtest/gtest.h>

#include "picture_test_files.h"
#include "project/picture.h"
#include "project/picture_size.h"

namespace pc::project {
namespace {

using namespace pc::project::testing;

using Reader = std::optional<PictureSize> (*)(std::string_view);

struct SizeCase {
  const char* name;
  Reader read;
  std::string file;
  std::optional<PictureSize> expect;
};

std::string Patched(std::string s, std::size_t at, std::string_view bytes) {
  s.replace(at, bytes.size(), bytes);
  return s;
}

std::vector<SizeCase> SizeCases() {
  const std::string bmp = MakeBmp(16, 16);
  const std::string png = MakePng(30, 20);
  const std::string jpg = MakeJpeg(40, 25);
  std::string top_down = bmp;
  top_down.replace(22, 4, std::string("\xF0\xFF\xFF\xFF", 4));
  std::string png_bad_crc = png;
  png_bad_crc[29] ^= 0x01;  // inside the IHDR checksum
  return {
      {"bmp_16x16_24bit", ReadBmpSize, bmp, PictureSize{16, 16}},
      {"bmp_8bit_palette", ReadBmpSize, MakeBmp(7, 3, 8), PictureSize{7, 3}},
      {"bmp_top_down", ReadBmpSize, top_down, PictureSize{16, 16}},
      {"bmp_not_bm", ReadBmpSize, Patched(bmp, 0, "XM"), std::nullopt},
      {"bmp_size_field_wrong", ReadBmpSize, Patched(bmp, 2, std::string("\x00\x01\x00\x00", 4)), std::nullopt},
      {"bmp_size_field_zero", ReadBmpSize, Patched(bmp, 2, std::string(4, '\0')), PictureSize{16, 16}},
      {"bmp_pixels_cut", ReadBmpSize, Patched(bmp.substr(0, bmp.size() - 1), 2, std::string("\x35\x03\x00\x00", 4)), std::nullopt},
      {"bmp_zero_width", ReadBmpSize, Patched(bmp, 18, std::string(4, '\0')), std::nullopt},
      {"bmp_odd_depth", ReadBmpSize, Patched(bmp, 28, std::string("\x07\x00", 2)), std::nullopt},
      {"bmp_huge", ReadBmpSize, Patched(bmp, 18, std::string("\xFF\xFF\xFF\x7F", 4)), std::nullopt},
      {"bmp_unknown_header", ReadBmpSize, Patched(bmp, 14, std::string("\x29\x00\x00\x00", 4)), std::nullopt},
      {"bmp_offset_past_end", ReadBmpSize, Patched(bmp, 10, std::string("\xFF\xFF\x00\x00", 4)), std::nullopt},
      {"png_30x20", ReadPngSize, png, PictureSize{30, 20}},
      {"png_signature_only", ReadPngSize, png.substr(0, 8), std::nullopt},
      {"png_header_cut", ReadPngSize, png.substr(0, 30), std::nullopt},
      {"png_header_checksum", ReadPngSize, png_bad_crc, std::nullopt},
      {"png_wrong_signature", ReadPngSize, Patched(png, 1, "Q"), std::nullopt},
      {"jpeg_40x25", ReadJpegSize, jpg, PictureSize{40, 25}},
      {"jpeg_soi_only", ReadJpegSize, jpg.substr(0, 2), std::nullopt},
      {"jpeg_cut_in_header", ReadJpegSize, jpg.substr(0, 100), std::nullopt},
      {"jpeg_garbage", ReadJpegSize, std::string("\xFF\xD8") + std::string(200, '\x55'), std::nullopt},
      {"ico_32x32", ReadIconSize, MakeIco(32, 32), PictureSize{32, 32}},
      {"ico_256", ReadIconSize, MakeIco(256, 256), PictureSize{256, 256}},
      {"ico_no_images", ReadIconSize, Patched(MakeIco(16, 16), 4, std::string(2, '\0')), std::nullopt},
      {"ico_image_past_end", ReadIconSize, MakeIco(16, 16).substr(0, 40), std::nullopt},
      {"ico_cursor_type", ReadIconSize, Patched(MakeIco(16, 16), 2, std::string("\x02\x00", 2)), std::nullopt},
      {"emf_100x50", ReadMetafileSize, MakeEmf(100, 50), PictureSize{100, 50}},
      {"emf_wrong_signature", ReadMetafileSize, Patched(MakeEmf(10, 10), 40, "XEMF"), std::nullopt},
      {"emf_cut", ReadMetafileSize, MakeEmf(10, 10).substr(0, 110), std::nullopt},
      {"wmf_placeable_96dpi", ReadMetafileSize, MakeWmf(120, 60), PictureSize{120, 60}},
      {"wmf_checksum_wrong", ReadMetafileSize, Patched(MakeWmf(120, 60), 20, std::string("\x00\x00", 2)), std::nullopt},
      {"metafile_nothing", ReadMetafileSize, "not a metafile", std::nullopt},
  };
}

TEST(PictureSizeTest, TableOfFiles) {
  for (const auto& c : SizeCases()) {
    ASSERT_FALSE(c.file.empty()) << c.name;
    EXPECT_EQ(c.read(c.file), c.expect) << c.name;
  }
}

TEST(PictureSizeTest, EveryTruncationOfAValidFileIsRefusedWithoutCrash) {
  struct Valid {
    const char* name;
    Reader read;
    std::string file;
  };
  const Valid valid[] = {
      {"bmp", ReadBmpSize, MakeBmp(5, 4)},      {"png", ReadPngSize, MakePng(5, 4)},
      {"jpeg", ReadJpegSize, MakeJpeg(5, 4)},   {"ico", ReadIconSize, MakeIco(5, 4)},
      {"emf", ReadMetafileSize, MakeEmf(5, 4)}, {"wmf", ReadMetafileSize, MakeWmf(5, 4)},
  };
  for (const auto& v : valid) {
    ASSERT_TRUE(v.read(v.file)) << v.name;
    std::size_t accepted = 0;
    for (std::size_t len = 0; len < v.file.size(); ++len)
      if (v.read(std::string_view(v.file).substr(0, len))) ++accepted;
    // Only the header is read: a PNG or JPEG cut inside its image data
    // still measures; the others hold their whole size in their header.
    if (std::string_view(v.name) == "png" || std::string_view(v.name) == "jpeg") continue;
    EXPECT_EQ(accepted, 0u) << v.name;
  }
}

TEST(PictureKindTest, ExtensionsAndClassNames) {
  struct ExtCase {
    const char* ext;
    std::optional<PictureKind> kind;
  };
  const ExtCase cases[] = {
      {"bmp", PictureKind::Bitmap}, {".BMP", PictureKind::Bitmap}, {"jpg", PictureKind::Jpeg},
      {"JPEG", PictureKind::Jpeg},  {"emf", PictureKind::Metafile}, {".wmf", PictureKind::Metafile},
      {"ico", PictureKind::Icon},   {"png", PictureKind::Png},      {"gif", std::nullopt},
      {"", std::nullopt},           {"bmpx", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(PictureKindFromExtension(c.ext), c.kind) << c.ext;
  for (auto k : {PictureKind::Bitmap, PictureKind::Jpeg, PictureKind::Metafile, PictureKind::Icon, PictureKind::Png})
    EXPECT_EQ(PictureKindFromClassName(PictureClassName(k)), k);
  EXPECT_EQ(PictureClassName(PictureKind::Png), "TPNGObject");
  EXPECT_EQ(PictureKindFromClassName("tbitmap"), std::nullopt);
  EXPECT_EQ(PictureKindFromClassName("TJvGIFImage"), std::nullopt);
}

TEST(PictureFromFileBytesTest, KeepsValidFilesAndLeavesThePictureOnFailure) {
  TPicture p;
  ASSERT_TRUE(PictureFromFileBytes(PictureKind::Png, MakePng(300, 100), p));
  EXPECT_EQ(p.Kind, PictureKind::Png);
  EXPECT_EQ(p.Width, 300);
  EXPECT_EQ(p.Height, 100);
  const TPicture before = p;
  EXPECT_FALSE(PictureFromFileBytes(PictureKind::Bitmap, MakePng(3, 3), p)) << "a PNG is no bitmap";
  EXPECT_FALSE(PictureFromFileBytes(PictureKind::None, MakeBmp(3, 3), p));
  EXPECT_EQ(p, before);
}

}  // namespace
}  // namespace pc::project
