// Golden files under tests/data/storage, written by our own writer. The
// tests check them against the file layout byte by byte with their own
// small parser (plain zlib, no container code), so that any change of the
// format fails here. PC_WRITE_GOLDEN=1 rewrites them after an intended change.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>

#include "storage/byte_codec.h"
#include "storage/storage_file.h"
#include "storage_test_util.h"

namespace pc::storage {
namespace {

using testing::kFixedTime;
using testing::kTestFileKey;
using testing::ReadWholeFile;

const std::string kDir = std::string(PC_TEST_DATA_DIR) + "/storage/";

void FillProject(TStorageFile& s) {
  s.FirstMonth = 38718;  // 1 January 2006
  s.LastMonth = 38749;
  s.ComponentCount = 2;
  s.Component(1) = {1, "Lonen", 60.0, false, 1, 38718, 0, 0};
  s.Component(2) = {2, "Staal", 0, true, 0, 0, 1, 2.5};
  s.AddFigure(1, 101.25, 38718);
  s.AddFigure(1, 102.5, 38749);
  s.AddFigure(2, 250.75, 38718);
  s.ProjectName = "Brug";
  s.Contractor = "Bouw B.V.";
  s.PriceReferenceDate = 38718;
  s.TenderDate = 38720;
  s.StartOfWorks = 38749;
  s.CalcMethod = 0;
  s.Concept = false;
  s.InstallmentCount = 2;
  s.Installment(1).Name = "Eerste termijn";
  s.Installment(1).EndDate = 38776;
  s.Installment(1).Amount = 10000;
  s.Installment(1).ComponentAmounts[1] = 500;
  s.Installment(2).Name = "Tweede";
  s.Installment(2).EndDate = 38807;
  s.Installment(2).Amount = 2500.5;
}

void FillIndex(TStorageFile& s) {
  s.FirstMonth = 38718;
  s.LastMonth = 38718;
  s.ComponentCount = 1;
  s.Component(1).Name = "CBS 1";
  s.Component(1).Position = 1;
  s.AddFigure(1, 99.99, 38718);
  s.Online = 1;
  s.IconText = "object TPicture_ads\r\n  Picture.Data = {00}\r\nend\r\n";
}

std::string SaveGolden(StorageDocKind kind, const std::string& path) {
  TStorageFile s("2007.07 Beta", kind, path);
  if (kind == StorageDocKind::Project) FillProject(s); else FillIndex(s);
  s.FileKey = kTestFileKey;
  s.Clock = [] { return kFixedTime; };
  EXPECT_EQ(s.Save(false), KlWriteResult::Ok);
  return ReadWholeFile(path);
}

struct Golden {
  const char* file;
  StorageDocKind kind;
  const char* description;
};
const Golden kGoldens[] = {
    {"project_small.kvp", StorageDocKind::Project, " - PrijsCorrectum Project"},
    {"index_small.kvi", StorageDocKind::Index, " - PrijsCorrectum Indices"},
};

TEST(StorageGoldenTest, WriterProducesTheGoldenBytes) {
  testing::ScratchFolder dir;
  const bool rewrite = std::getenv("PC_WRITE_GOLDEN") != nullptr;
  for (const auto& g : kGoldens) {
    const std::string bytes = SaveGolden(g.kind, rewrite ? kDir + g.file : dir.File(g.file));
    const std::string golden = ReadWholeFile(kDir + g.file);
    ASSERT_FALSE(golden.empty()) << g.file << " missing";
    EXPECT_EQ(bytes, golden) << g.file;
  }
}

struct PlainRecord {
  int kind, type;
  std::size_t length;
  bool crc;
  std::string data;
};

// Walks the file with nothing but zlib: header, key, scrambling, stream,
// record framing and checksums.
std::vector<PlainRecord> ParseIndependently(const std::string& f, const std::string& description) {
  std::vector<PlainRecord> out;
  const std::string magic = ":KelvarionSPE(tm)";
  EXPECT_EQ(f.substr(0, 17), magic);
  EXPECT_EQ(f.substr(17, description.size()), description);
  std::size_t at = 17 + description.size();
  EXPECT_EQ(f[at], '\0');
  EXPECT_EQ(static_cast<unsigned char>(f[at + 1]), 0x60) << "scrambled and compressed, no trailer";
  EXPECT_EQ(f.substr(at + 2, 3), std::string(3, '\0'));
  const std::string key = f.substr(at + 5, 8);
  EXPECT_EQ(key, std::string(kTestFileKey.begin(), kTestFileKey.end()));
  EXPECT_EQ(f[at + 13], '\x01');
  at += 14;
  std::string section;
  for (std::size_t j = 0; at + j < f.size(); ++j)
    section.push_back(static_cast<char>(f[at + j] ^ key[j % 8] ^ TStorageFile::kMasterKey[j % 8]));
  EXPECT_EQ(static_cast<unsigned char>(section[0]), 0x78) << "zlib header";
  std::string plain(1 << 20, '\0');
  uLongf len = static_cast<uLongf>(plain.size());
  EXPECT_EQ(uncompress(reinterpret_cast<Bytef*>(plain.data()), &len,
                       reinterpret_cast<const Bytef*>(section.data()), static_cast<uLong>(section.size())),
            Z_OK);
  plain.resize(len);
  std::size_t p = 0;
  while (p < plain.size() && plain[p] != '\0') {
    const std::size_t start = p;
    PlainRecord r;
    const auto tb = static_cast<unsigned char>(plain[p++]);
    r.kind = tb >> 4;
    r.type = tb & 15;
    const auto lf = static_cast<unsigned char>(plain[p++]);
    EXPECT_EQ(lf & 0x30, 0);
    r.crc = (lf & 0x40) != 0;
    if (lf & 0x80) {
      const int n = (lf & 0x0F) + 1;
      r.length = 0;
      for (int i = 0; i < n; ++i) r.length = (r.length << 8) | static_cast<unsigned char>(plain[p++]);
      EXPECT_GT(r.length, 16u) << "short lengths use the short form";
      EXPECT_LT(r.length >> (8 * (n - 1)), 256u);
      if (n > 1) {
        EXPECT_GE(r.length >> (8 * (n - 1)), 1u) << "no needless length bytes";
      }
    } else {
      r.length = (lf & 0x0F) + 1u;
    }
    r.data = plain.substr(p, r.length);
    p += r.length;
    if (r.crc) {
      const auto want = static_cast<std::uint32_t>(
          crc32(0, reinterpret_cast<const Bytef*>(plain.data() + start), static_cast<uInt>(p - start)));
      EXPECT_EQ(GetUint32At(plain, p), want) << "record " << out.size();
      p += 4;
    }
    out.push_back(r);
  }
  EXPECT_EQ(p + 1, plain.size()) << "the end byte closes the section";
  return out;
}

TEST(StorageGoldenTest, ProjectGoldenLayoutFieldByField) {
  const auto recs = ParseIndependently(ReadWholeFile(kDir + "project_small.kvp"), " - PrijsCorrectum Project");
  struct Want {
    int kind, type;
    std::size_t length;
    bool crc;
  };
  const Want want[] = {
      {0, 1, 1, true}, {0, 2, 8, true}, {0, 3, 8, true},
      {1, 0, 12, false}, {1, 1, 1, false},
      {2, 0, 8, false}, {2, 1, 8, false},
      {2, 2, 6, false}, {2, 2, 6, false}, {2, 3, 2, false}, {2, 3, 2, false},
      {2, 4, 17, false}, {2, 4, 17, false}, {2, 4, 17, false},
      {2, 5, 2, false}, {2, 5, 2, false}, {2, 6, 3, false}, {2, 6, 3, false},
      {2, 7, 9, false}, {2, 7, 9, false}, {2, 9, 2, false}, {2, 9, 2, false},
      {2, 10, 9, false}, {2, 10, 9, false},
      {3, 0, 4, false}, {3, 2, 9, false}, {3, 3, 8, false}, {3, 4, 8, false},
      {3, 10, 2, false}, {3, 11, 8, false}, {3, 12, 1, false},
      {4, 0, 14, false}, {4, 0, 14, false},
      {4, 1, 16, false}, {4, 1, 8, false}, {4, 2, 10, false}, {4, 2, 10, false},
      {4, 3, 10, false}, {4, 3, 10, false}, {4, 4, 404, false}, {4, 4, 404, false},
  };
  ASSERT_EQ(recs.size(), std::size(want));
  for (std::size_t i = 0; i < recs.size(); ++i) {
    EXPECT_EQ(recs[i].kind, want[i].kind) << i;
    EXPECT_EQ(recs[i].type, want[i].type) << i;
    EXPECT_EQ(recs[i].length, want[i].length) << i;
    EXPECT_EQ(recs[i].crc, want[i].crc) << i;
  }
  EXPECT_EQ(recs[0].data, std::string(1, '\x02'));
  EXPECT_EQ(GetDoubleAt(recs[1].data, 0), kFixedTime);
  EXPECT_EQ(GetDoubleAt(recs[2].data, 0), 0.0);
  EXPECT_EQ(recs[3].data, "2007.07 Beta");
  EXPECT_EQ(recs[4].data, std::string(1, '\x02'));
  EXPECT_EQ(recs[7].data, "\x01Lonen");
  EXPECT_EQ(recs[11].data.substr(0, 1), "\x01");
  EXPECT_EQ(GetDoubleAt(recs[11].data, 1), 38718.0);
  EXPECT_EQ(GetDoubleAt(recs[11].data, 9), 101.25);
  EXPECT_EQ(recs[16].data, std::string("\x01\x01\x00", 3)) << "start rule as a word";
  EXPECT_EQ(recs[24].data, "Brug");
  EXPECT_EQ(GetDoubleAt(recs[31].data, 1), 60.0);
  EXPECT_EQ(recs[31].data.substr(9), "Lonen");
  EXPECT_EQ(recs[33].data, std::string("\x01\x00", 2) + "Eerste termijn");
  EXPECT_EQ(GetWordAt(recs[39].data, 2), 50) << "always 50 component amounts";
  EXPECT_EQ(GetDoubleAt(recs[39].data, 4 + 8), 500.0);
}

TEST(StorageGoldenTest, IndexGoldenLayout) {
  const auto recs = ParseIndependently(ReadWholeFile(kDir + "index_small.kvi"), " - PrijsCorrectum Indices");
  std::vector<std::pair<int, int>> kt;
  for (const auto& r : recs) kt.emplace_back(r.kind, r.type);
  const std::vector<std::pair<int, int>> want = {{0, 1}, {0, 2}, {0, 3}, {1, 0}, {1, 1}, {2, 0}, {2, 1}, {2, 2},
                                                 {2, 3}, {2, 4}, {2, 5}, {2, 6}, {2, 7}, {2, 8}, {2, 9}, {2, 10},
                                                 {2, 11}};
  EXPECT_EQ(kt, want);
  EXPECT_EQ(recs[4].data, std::string(1, '\x01'));
  EXPECT_EQ(recs[13].data, std::string(1, '\x01')) << "online flag";
  EXPECT_EQ(recs[16].length, 49u) << "picture text: long form";
}

TEST(StorageGoldenTest, GoldenFilesLoadIntoTheirImages) {
  TStorageFile p("", StorageDocKind::Project, kDir + "project_small.kvp");
  ASSERT_EQ(p.Load(), StorageLoadResult::Ok);
  EXPECT_EQ(p.Version, "2007.07 Beta");
  EXPECT_EQ(p.ComponentCount, 2);
  EXPECT_EQ(p.Component(2).Name, "Staal");
  EXPECT_TRUE(p.Component(2).Variable);
  EXPECT_EQ(p.Component(2).TrendPercentage, 2.5);
  EXPECT_EQ(p.FigureCount(), 3u);
  EXPECT_EQ(p.GetFigure(2).Value, 250.75);
  EXPECT_EQ(p.Contractor, "Bouw B.V.");
  EXPECT_EQ(p.Client, "");
  EXPECT_EQ(p.TenderDate, 38720);
  EXPECT_EQ(p.InstallmentCount, 2);
  EXPECT_EQ(p.Installment(2).Amount, 2500.5);

  TStorageFile i("", StorageDocKind::Index, kDir + "index_small.kvi");
  ASSERT_EQ(i.Load(), StorageLoadResult::Ok);
  EXPECT_EQ(i.Online, 1);
  EXPECT_EQ(i.GetFigure(0).Value, 99.99);
  EXPECT_FALSE(i.IconText.empty());
}

}  // namespace
}  // namespace pc::storage
