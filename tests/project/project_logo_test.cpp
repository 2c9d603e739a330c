// The print logo: read from a picture file, cut to 200 x 110 pixels, and
// kept through the picture text and a project file.
#include <gtest/gtest.h>

#include <ostream>

#include "picture_test_files.h"
#include "project/picture_strings.h"
#include "project/project_data.h"
#include "project_test_support.h"

namespace pc::project {
namespace {

using namespace pc::project::testing;

struct LogoCase {
  const char* name;
  std::string file_name;
  std::string bytes;
  bool loads;
  PictureKind kind;
  int width, height;
};
void PrintTo(const LogoCase& c, std::ostream* os) { *os << c.name; }

class LoadLogoTest : public ProjectFixture, public ::testing::WithParamInterface<LogoCase> {};

TEST_P(LoadLogoTest, ReadsAndCutsThePicture) {
  const LogoCase& c = GetParam();
  const std::string path = temp_.Path(c.file_name);
  if (!c.bytes.empty()) WriteBytes(path, c.bytes);
  auto d = NewDocument();
  WriteBytes(temp_.Path("earlier.bmp"), MakeBmp(10, 10));
  ASSERT_TRUE(d->LoadLogo(temp_.Path("earlier.bmp")));

  EXPECT_EQ(d->LoadLogo(path), c.loads);
  EXPECT_EQ(d->HasLogo, c.loads);
  if (!c.loads) {
    EXPECT_FALSE(d->Logo) << "an unreadable file drops the earlier logo";
    return;
  }
  ASSERT_TRUE(d->Logo);
  EXPECT_EQ(d->Logo->Kind, c.kind);
  EXPECT_EQ(d->Logo->Width, c.width);
  EXPECT_EQ(d->Logo->Height, c.height);
  TPicture measured;
  ASSERT_TRUE(PictureFromFileBytes(c.kind, d->Logo->Data, measured));
  EXPECT_EQ(measured, *d->Logo);
}

std::string Damaged() {
  std::string bmp = MakeBmp(300, 100);
  bmp[15] = '\x7F';  // info header size
  return bmp;
}

INSTANTIATE_TEST_SUITE_P(
    Files, LoadLogoTest,
    ::testing::Values(LogoCase{"wide_bmp", "wide.bmp", MakeBmp(300, 100), true, PictureKind::Bitmap, 200, 100},
                      LogoCase{"square_png", "square.PNG", MakePng(120, 120), true, PictureKind::Png, 120, 110},
                      LogoCase{"flat_jpeg", "flat.jpeg", MakeJpeg(250, 50), true, PictureKind::Jpeg, 200, 50},
                      LogoCase{"large_icon", "big.ico", MakeIco(256, 256), true, PictureKind::Icon, 256, 256},
                      LogoCase{"damaged_bmp", "damaged.bmp", Damaged(), false, PictureKind::None, 0, 0},
                      LogoCase{"png_as_bmp", "named.bmp", MakePng(20, 20), false, PictureKind::None, 0, 0},
                      LogoCase{"unknown_extension", "logo.gif", MakeBmp(20, 20), false, PictureKind::None, 0, 0},
                      LogoCase{"missing_file", "missing.bmp", "", false, PictureKind::None, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

class LogoKeepingTest : public ProjectFixture {};

TEST_F(LogoKeepingTest, SmallLogoIsKeptByteForByte) {
  const std::string bmp = MakeBmp(100, 50);
  WriteBytes(temp_.Path("small.bmp"), bmp);
  auto d = NewDocument();
  ASSERT_TRUE(d->LoadLogo(temp_.Path("small.bmp")));
  EXPECT_EQ(d->Logo->Data, bmp);
}

TEST_F(LogoKeepingTest, CutLogoSurvivesPictureTextAndProjectFile) {
  WriteBytes(temp_.Path("wide.bmp"), MakeBmp(300, 100));
  WriteBytes(temp_.Path("square.png"), MakePng(120, 120));
  for (const char* name : {"wide.bmp", "square.png"}) {
    auto d = NewDocument();
    ASSERT_TRUE(d->LoadLogo(temp_.Path(name))) << name;

    ClearPictureError();
    TPicture back;
    ASSERT_TRUE(StringToPicture_ads(PictureToString_ads(*d->Logo), back)) << name;
    EXPECT_FALSE(PictureErrorRaised());
    EXPECT_EQ(back, *d->Logo);

    const std::string path = temp_.Path("Logo.kvp");
    ASSERT_TRUE(d->SaveProjectFile(path));
    TProjectData reopened(&services_);
    ASSERT_TRUE(reopened.OpenProjectFile(path));
    EXPECT_TRUE(reopened.HasLogo) << name;
    ASSERT_TRUE(reopened.Logo);
    EXPECT_EQ(*reopened.Logo, *d->Logo);
  }
}

}  // namespace
}  // namespace pc::project
