// The data of the start panels' tiles: a recent project's summary with the
// texts shown when it cannot be read, and a new tile's lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "common/date_text.h"
#include "project/start_tiles.h"
#include "project_test_support.h"

namespace pc::project {
namespace {

using testing::Day;
using testing::ProjectFixture;
using testing::WriteBytes;

// A 16 x 16 bitmap of 24 bits per pixel.
TPicture SmallBitmap() {
  std::string bmp(54 + 16 * 16 * 3, '\x80');
  auto put32 = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bmp[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  std::fill(bmp.begin(), bmp.begin() + 54, '\0');
  bmp[0] = 'B';
  bmp[1] = 'M';
  put32(2, static_cast<std::uint32_t>(bmp.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, 16);
  put32(22, 16);
  bmp[26] = 1;
  bmp[28] = 24;
  put32(34, 16 * 16 * 3);
  TPicture picture;
  EXPECT_TRUE(PictureFromFileBytes(PictureKind::Bitmap, bmp, picture));
  return picture;
}

class StartTilesTest : public ProjectFixture {
 protected:
  std::string SaveProject(const std::string& name, bool withLogo) {
    auto d = NewDocument();
    d->ProjectName = "Brug A12";
    d->Client = "Gemeente Ede";
    d->Contractor = "Bouw B.V.";
    d->PriceReferenceDate = d->TenderDate = d->StartOfWorks = Day(2008, 1, 1);
    if (withLogo) {
      d->Logo = std::make_shared<const TPicture>(SmallBitmap());
      d->HasLogo = true;
    }
    const std::string path = temp_.Path(name);
    EXPECT_TRUE(d->SaveProjectFile(path));
    return path;
  }
};

TEST_F(StartTilesTest, AReadableProjectShowsItsPropertiesAndFileDates) {
  const std::string path = SaveProject("brug.kvp", false);
  const TProjectSummary s = ReadProjectSummary(path, &services_);
  EXPECT_TRUE(s.FileFound);
  EXPECT_TRUE(s.Readable);
  EXPECT_EQ(s.Name, "Brug A12");
  EXPECT_EQ(s.Client, "Gemeente Ede");
  EXPECT_EQ(s.Contractor, "Bouw B.V.");
  EXPECT_EQ(s.Changed, LongDateText(TodayLocal()));
  EXPECT_EQ(s.Created, LongDateText(TodayLocal()));
  EXPECT_EQ(s.Logo, nullptr);  // the tile shows the default logo
  EXPECT_EQ(s.Problem, "");
  EXPECT_TRUE(messages_.Calls().empty());
}

TEST_F(StartTilesTest, UnreadableOrMissingFilesShowTheUnknownTexts) {
  const std::string damaged = temp_.Path("kapot.kvp");
  WriteBytes(damaged, "dit is geen projectbestand");
  const std::string folder = temp_.Path("map.kvp");
  std::filesystem::create_directories(folder);
  const struct {
    const char* what;
    std::string path;
    bool found;
  } cases[] = {
      {"damaged", damaged, true},
      {"missing", temp_.Path("weg.kvp"), false},
      {"a folder", folder, false},
      {"empty path", "", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const TProjectSummary s = ReadProjectSummary(c.path, &services_);
    EXPECT_EQ(s.FileFound, c.found);
    EXPECT_FALSE(s.Readable);
    EXPECT_EQ(s.Name, "Onbekend");
    EXPECT_EQ(s.Client, "Onbekende opdrachtgever");
    EXPECT_EQ(s.Contractor, "Onbekende opdrachtnemenr");
    if (c.found) {
      EXPECT_EQ(s.Changed, LongDateText(TodayLocal()));
      EXPECT_NE(s.Problem.find("kapot.kvp"), std::string::npos) << s.Problem;
    } else {
      EXPECT_EQ(s.Changed, "Onbekend");
      EXPECT_EQ(s.Created, "Onbekend");
    }
  }
  // Reading a tile never puts a message in front of the user.
  EXPECT_TRUE(messages_.Calls().empty());
}

TEST_F(StartTilesTest, AProjectLogoIsTakenOver) {
  const std::string path = SaveProject("logo.kvp", true);
  const TProjectSummary s = ReadProjectSummary(path, &services_);
  ASSERT_TRUE(s.Readable);
  ASSERT_NE(s.Logo, nullptr);
  EXPECT_EQ(s.Logo->Width, 16);
}

TEST(NewTileLines, FreeTemplateAndFilledTemplate) {
  const struct {
    const char* what;
    TNewProjectTemplate data;
    TNewTileLines lines;
  } cases[] = {
      {"free", {"", kFreeProjectCaption, "", "", -1}, {"U kunt alle projectgegevens vrij kiezen", "", ""}},
      {"client only",
       {"", "c", "Rijkswaterstaat", "", -1},
       {"Opdrachtgever: Rijkswaterstaat", "Opdrachtnemer is vrij te kiezen", "Prijspeil datum is vrij te kiezen"}},
      {"all",
       {"", "c", "", "Bouw B.V.", EncodeDate(2007, 7, 5)},
       {"Opdrachtgever is vrij te kiezen", "Opdrachtnemer: Bouw B.V.", "Prijspeil datum: 5 juli 2007"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const TNewTileLines lines = NewTileLines(c.data);
    EXPECT_EQ(lines.Client, c.lines.Client);
    EXPECT_EQ(lines.Contractor, c.lines.Contractor);
    EXPECT_EQ(lines.Date, c.lines.Date);
  }
}

}  // namespace
}  // namespace pc::project
