// The storage image of project and index documents: what is written for
// which field, what is read back, and how odd records are treated.
#include <gtest/gtest.h>

#include <bit>
#include <cstdio>
#include <set>

#include "storage/byte_codec.h"
#include "storage/storage_file.h"
#include "storage_test_util.h"

namespace pc::storage {
namespace {

using testing::ContainerBytes;
using testing::kFixedTime;
using testing::kTestFileKey;
using testing::ReadWholeFile;
using testing::Rec;
using testing::ScratchFolder;
using testing::WriteWholeFile;

constexpr char kVersion[] = "2007.07 Beta";

std::string Hex(double d) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(std::bit_cast<std::uint64_t>(d)));
  return buf;
}

// Every image field as text, so that a difference shows where it is.
std::string Dump(const TStorageFile& s) {
  std::string o;
  auto add = [&](const std::string& k, const std::string& v) { o += k + "=" + v + "\n"; };
  add("Version", s.Version);
  add("DocKind", std::to_string(s.DocKind));
  add("ReadKind", std::to_string(s.ReadKind));
  add("FirstMonth", Hex(s.FirstMonth));
  add("LastMonth", Hex(s.LastMonth));
  add("Online", std::to_string(s.Online));
  add("IconText", s.IconText);
  add("ComponentCount", std::to_string(s.ComponentCount));
  for (int i = 1; i <= 50; ++i) {
    const auto& c = s.Component(i);
    if (c.Name.empty() && c.Percentage == 0 && c.Position == 0) continue;
    add("C" + std::to_string(i), c.Name + "|" + std::to_string(c.Position) + "|" + Hex(c.Percentage) + "|" +
                                     std::to_string(c.Variable) + "|" + std::to_string(c.StartRule) + "|" +
                                     Hex(c.StartDate) + "|" + std::to_string(c.TrendKind) + "|" +
                                     Hex(c.TrendPercentage));
  }
  for (std::size_t f = 0; f < s.FigureCount(); ++f) {
    const auto& g = s.GetFigure(f);
    add("F", std::to_string(g.Component) + "|" + Hex(g.Month) + "|" + Hex(g.Value));
  }
  add("ProjectName", s.ProjectName);
  add("Client", s.Client);
  add("Contractor", s.Contractor);
  add("Dates", Hex(s.PriceReferenceDate) + "|" + Hex(s.TenderDate) + "|" + Hex(s.StartOfWorks));
  add("LogoText", s.LogoText);
  add("CalcMethod", std::to_string(s.CalcMethod));
  add("IndexFileName", s.IndexFileName);
  add("Concept", std::to_string(s.Concept));
  add("InstallmentCount", std::to_string(s.InstallmentCount));
  for (int n = 1; n <= 999; ++n) {
    const auto& t = s.Installment(n);
    if (t.Name.empty()) continue;
    std::string amounts;
    for (double a : t.ComponentAmounts) amounts += Hex(a) + ",";
    add("T" + std::to_string(n), t.Name + "|" + Hex(t.EndDate) + "|" + Hex(t.Amount) + "|" + amounts);
  }
  return o;
}

void FillIndexPart(TStorageFile& s, int components, int months) {
  s.FirstMonth = 29221;  // 1 January 1980
  s.LastMonth = 29221 + 30.5 * months;
  s.ComponentCount = static_cast<std::uint8_t>(components);
  for (int i = 1; i <= components; ++i) {
    auto& c = s.Component(i);
    c.Name = "Bestanddeel " + std::to_string(i);
    c.Position = static_cast<std::uint8_t>(i);
    c.Percentage = i * 1.25;
    c.Variable = i % 3 == 0;
    c.StartRule = static_cast<std::uint8_t>(i % 4);
    c.StartDate = 38000 + i;
    c.TrendKind = static_cast<std::uint8_t>(i % 2);
    c.TrendPercentage = 0.1 * i;
    for (int m = 0; m < months; ++m)
      s.AddFigure(static_cast<std::uint8_t>(i), 100 + i + m / 100.0, 29221 + 31.0 * m);
  }
}

void FillProjectPart(TStorageFile& s, int installments) {
  s.ProjectName = "Brug over de Vecht";
  s.Client = "Gemeente \xC9\xE9n";  // Windows-1252 text stays as it is
  s.Contractor = "Bouwbedrijf B.V.";
  s.PriceReferenceDate = 39083;
  s.TenderDate = 39100;
  s.StartOfWorks = 39200;
  s.LogoText = "object TPicture_ads\r\n  Picture.Data = {00}\r\nend\r\n";
  s.CalcMethod = 1;
  s.IndexFileName = "Eigen.kvi";
  s.Concept = true;
  s.InstallmentCount = static_cast<std::uint16_t>(installments);
  for (int n = 1; n <= installments; ++n) {
    auto& t = s.Installment(n);
    t.Name = "Termijn " + std::to_string(n);
    t.EndDate = 39200 + 30 * n;
    t.Amount = 1000.5 * n;
    for (int k = 0; k < 50; ++k) t.ComponentAmounts[static_cast<std::size_t>(k)] = n * 0.01 + k;
  }
}

class StorageFileTest : public ::testing::Test {
 protected:
  ScratchFolder dir;

  KlWriteResult SaveFixed(TStorageFile& s) {
    s.FileKey = kTestFileKey;
    s.Clock = [] { return kFixedTime; };
    return s.Save(false);
  }
  // Writes container bytes made of `recs` as `name` and loads it.
  StorageLoadResult LoadCrafted(TStorageFile& s, const std::vector<Rec>& recs) {
    WriteWholeFile(s.GetPath(), ContainerBytes(recs, kTestFileKey, 2));
    return s.Load();
  }
  std::vector<std::pair<int, int>> KindTypes(const std::string& path) {
    TKlFile raw("", path);
    std::vector<Rec> recs;
    testing::CollectRecords(raw, recs);
    EXPECT_EQ(raw.Load(TStorageFile::kMasterKey), KlReadResult::Ok);
    std::vector<std::pair<int, int>> v;
    for (const auto& r : recs) v.emplace_back(r.kind, r.type);
    return v;
  }
};

TEST_F(StorageFileTest, ProjectImageRoundTripsAndRewritesTheSameBytes) {
  const std::string path = dir.File("Brug.kvp");
  TStorageFile out(kVersion, StorageDocKind::Project, path);
  FillIndexPart(out, 5, 30);
  FillProjectPart(out, 12);
  out.IconText = "never in a project file";
  ASSERT_EQ(SaveFixed(out), KlWriteResult::Ok);
  const std::string bytes = ReadWholeFile(path);

  TStorageFile in("other version", StorageDocKind::Project, path);
  ASSERT_EQ(in.Load(), StorageLoadResult::Ok);
  EXPECT_EQ(in.Version, kVersion);
  EXPECT_EQ(in.ReadKind, 2);
  EXPECT_EQ(in.FormatVersion, 2);
  EXPECT_EQ(in.WriteTime, kFixedTime);
  EXPECT_EQ(in.IconText, "");
  out.IconText.clear();
  out.ReadKind = 2;
  EXPECT_EQ(Dump(in), Dump(out));

  ASSERT_EQ(SaveFixed(in), KlWriteResult::Ok);
  EXPECT_EQ(ReadWholeFile(path), bytes);

  // the same through memory
  std::string mem;
  ASSERT_EQ(in.SaveToBytes(mem), KlWriteResult::Ok);
  EXPECT_EQ(mem, bytes);
  TStorageFile from_mem("", StorageDocKind::Project, "unused.kvp");
  ASSERT_EQ(from_mem.LoadFromBytes(mem), StorageLoadResult::Ok);
  EXPECT_EQ(Dump(from_mem), Dump(in));
}

TEST_F(StorageFileTest, IndexImageRoundTripsWithPictureAndOnlineFlag) {
  const std::string path = dir.File("Indices.kvi");
  TStorageFile out(kVersion, StorageDocKind::Index, path);
  FillIndexPart(out, 3, 12);
  out.Online = 1;
  out.IconText = "object TPicture_ads\r\n  Picture.Data = {00}\r\nend\r\n";
  FillProjectPart(out, 2);  // project fields are not written to index files
  ASSERT_EQ(SaveFixed(out), KlWriteResult::Ok);

  TStorageFile in(kVersion, StorageDocKind::Index, path);
  ASSERT_EQ(in.Load(), StorageLoadResult::Ok);
  EXPECT_EQ(in.Online, 1);
  EXPECT_EQ(in.IconText, out.IconText);
  EXPECT_EQ(in.FigureCount(), 36u);
  EXPECT_EQ(in.ProjectName, "");
  EXPECT_EQ(in.InstallmentCount, 0);
  const auto kt = KindTypes(path);
  EXPECT_EQ(std::count(kt.begin(), kt.end(), std::make_pair(2, 11)), 1);
  EXPECT_EQ(std::count(kt.begin(), kt.end(), std::make_pair(2, 8)), 1);
  for (const auto& [k, t] : kt) EXPECT_LE(k, 2);
}

TEST_F(StorageFileTest, ProjectRecordOrder) {
  const std::string path = dir.File("p.kvp");
  TStorageFile s(kVersion, StorageDocKind::Project, path);
  FillIndexPart(s, 2, 2);
  FillProjectPart(s, 2);
  s.Client.clear();  // texts only when not empty
  ASSERT_EQ(SaveFixed(s), KlWriteResult::Ok);
  const std::vector<std::pair<int, int>> expect = {
      {1, 0}, {1, 1}, {2, 0}, {2, 1}, {2, 2}, {2, 2}, {2, 3}, {2, 3}, {2, 4}, {2, 4}, {2, 4}, {2, 4},
      {2, 5}, {2, 5}, {2, 6}, {2, 6}, {2, 7}, {2, 7}, {2, 9}, {2, 9}, {2, 10}, {2, 10},
      {3, 0}, {3, 2}, {3, 3}, {3, 4}, {3, 6}, {3, 9}, {3, 10}, {3, 11}, {3, 12},
      {4, 0}, {4, 0}, {4, 1}, {4, 1}, {4, 2}, {4, 2}, {4, 3}, {4, 3}, {4, 4}, {4, 4}};
  EXPECT_EQ(KindTypes(path), expect);

  const std::string bytes = ReadWholeFile(path);
  const std::string head = std::string(":KelvarionSPE(tm) - PrijsCorrectum Project") + '\0' + '\x60' +
                           std::string(3, '\0') + std::string(kTestFileKey.begin(), kTestFileKey.end()) + '\x01';
  EXPECT_EQ(bytes.substr(0, head.size()), head);
}

TEST_F(StorageFileTest, EntriesAreWrittenUpToTheFirstFreeOne) {
  const std::string path = dir.File("gaps.kvp");
  TStorageFile s(kVersion, StorageDocKind::Project, path);
  FillIndexPart(s, 4, 0);
  s.Component(3).Name.clear();
  FillProjectPart(s, 5);
  s.Installment(2).Name.clear();
  ASSERT_EQ(SaveFixed(s), KlWriteResult::Ok);
  TStorageFile in(kVersion, StorageDocKind::Project, path);
  ASSERT_EQ(in.Load(), StorageLoadResult::Ok);
  EXPECT_EQ(in.ComponentCount, 2);
  EXPECT_EQ(in.Component(4).Name, "");
  EXPECT_EQ(in.Component(4).Percentage, 0.0);
  EXPECT_EQ(in.InstallmentCount, 1);
  EXPECT_EQ(in.Installment(3).Name, "");
}

std::string B(std::initializer_list<int> v) {
  std::string s;
  for (int b : v) s.push_back(static_cast<char>(b));
  return s;
}
std::string D(double d) {
  std::string s;
  PutDouble(s, d);
  return s;
}
std::string W(std::uint16_t w) {
  std::string s;
  PutWord(s, w);
  return s;
}

const Rec kHeaderProject[] = {{1, 0, kVersion, false}, {1, 1, B({2}), false}};

std::vector<Rec> ProjectWith(std::vector<Rec> more) {
  std::vector<Rec> v(std::begin(kHeaderProject), std::end(kHeaderProject));
  v.insert(v.end(), more.begin(), more.end());
  return v;
}

TEST_F(StorageFileTest, ReadingOddRecords) {
  TStorageFile s(kVersion, StorageDocKind::Project, dir.File("odd.kvp"));
  std::string amounts51 = W(1) + W(51);
  for (int k = 0; k < 51; ++k) amounts51 += D(9);
  std::string amounts2 = W(2) + W(2) + D(1.5) + D(2.5);
  const auto recs = ProjectWith({
      {2, 2, B({7}) + "Zeven", false},                      // raises the count past unseen entries
      {2, 2, B({1}) + std::string(30, 'N'), false},         // cut to 25 characters
      {2, 2, B({0}) + "index zero", false},                 // ignored
      {2, 2, B({51}) + "index 51", false},                  // ignored
      {2, 3, B({1}), false},                                // too short: ignored
      {2, 4, B({1}) + D(29221) + D(101.5), false},          // one figure
      {2, 4, B({1}) + D(29252), false},                     // too short: ignored
      {2, 4, B({60}) + D(29252) + D(1), false},             // bad component: ignored
      {2, 6, B({1}) + W(0x0103), false},                    // low byte of the word
      {2, 11, "icon in a project file", false},             // not taken
      {2, 12, "a later record type", false},                // unknown: skipped
      {3, 0, std::string(60, 'P'), false},                  // cut to 50
      {3, 9, std::string(70, 'i'), false},                  // cut to 64
      {3, 10, W(1), false},
      {3, 11, D(0.5), false},                               // below 1: replaced
      {3, 3, D(39083), false},
      {4, 0, B({1}) + D(12.5) + "ignored name", false},
      {4, 1, W(1) + "Eerste", false},
      {4, 1, W(0) + "index zero", false},
      {4, 1, W(1000) + "index 1000", false},
      {4, 1, W(40) + "Veertig", false},
      {4, 3, W(1) + D(250), false},
      {4, 4, amounts51, false},                             // more than 50 amounts: ignored
      {4, 4, amounts2, false},                              // the first two only
      {4, 4, W(1) + W(3) + D(1), false},                    // shorter than announced: ignored
      {5, 1, "kind five", false},
  });
  // records must reach the writer in kind/type order
  auto sorted = recs;
  std::stable_sort(sorted.begin(), sorted.end(), [](const Rec& a, const Rec& b) {
    return a.kind != b.kind ? a.kind < b.kind : a.type < b.type;
  });
  ASSERT_EQ(LoadCrafted(s, sorted), StorageLoadResult::Ok);
  EXPECT_EQ(s.ComponentCount, 7);
  EXPECT_EQ(s.Component(7).Name, "Zeven");
  EXPECT_EQ(s.Component(1).Name, std::string(25, 'N'));
  EXPECT_EQ(s.Component(1).Position, 0);
  EXPECT_EQ(s.Component(1).StartRule, 3);
  EXPECT_EQ(s.Component(1).Percentage, 12.5);
  ASSERT_EQ(s.FigureCount(), 1u);
  EXPECT_EQ(s.GetFigure(0).Component, 1);
  EXPECT_EQ(s.GetFigure(0).Month, 29221);
  EXPECT_EQ(s.GetFigure(0).Value, 101.5);
  EXPECT_EQ(s.IconText, "");
  EXPECT_EQ(s.ProjectName, std::string(50, 'P'));
  EXPECT_EQ(s.IndexFileName, std::string(64, 'i'));
  EXPECT_EQ(s.CalcMethod, 1);
  EXPECT_EQ(s.TenderDate, 39083);
  EXPECT_EQ(s.InstallmentCount, 40);
  EXPECT_EQ(s.Installment(1).Name, "Eerste");
  EXPECT_EQ(s.Installment(1).Amount, 250);
  EXPECT_EQ(s.Installment(1).ComponentAmounts[0], 0.0);
  EXPECT_EQ(s.Installment(2).ComponentAmounts[0], 1.5);
  EXPECT_EQ(s.Installment(2).ComponentAmounts[1], 2.5);
  EXPECT_EQ(s.Installment(2).ComponentAmounts[2], 0.0);
}

struct TenderCase {
  const char* name;
  std::vector<Rec> dates;
  double expect;
};

TEST_F(StorageFileTest, TenderDateDefaultsToThePriceReferenceDate) {
  const TenderCase cases[] = {
      {"missing", {{3, 3, D(39083)}}, 39083},
      {"half_a_day", {{3, 3, D(39083)}, {3, 11, D(0.5)}}, 39083},
      {"present", {{3, 3, D(39083)}, {3, 11, D(39100)}}, 39100},
  };
  for (const auto& c : cases) {
    TStorageFile s(kVersion, StorageDocKind::Project, dir.File(std::string(c.name) + ".kvp"));
    ASSERT_EQ(LoadCrafted(s, ProjectWith(c.dates)), StorageLoadResult::Ok) << c.name;
    EXPECT_EQ(s.TenderDate, c.expect) << c.name;
  }
}

TEST_F(StorageFileTest, ABackslashIsPartOfTheFileName) {
  const std::string kvi = dir.File("Lonen\\2008.kvi");
  TStorageFile out(kVersion, StorageDocKind::Index, kvi);
  FillIndexPart(out, 2, 3);
  ASSERT_EQ(SaveFixed(out), KlWriteResult::Ok);
  TStorageFile in(kVersion, StorageDocKind::Index, kvi);
  EXPECT_EQ(ToInt(in.Load()), 0);
  EXPECT_EQ(dir.EntryCount(), 1u) << "no folder is made for the part before the backslash";
}

TEST_F(StorageFileTest, DocumentKindMismatchGives95) {
  const std::string kvi = dir.File("Indices.kvi");
  TStorageFile index(kVersion, StorageDocKind::Index, kvi);
  FillIndexPart(index, 2, 3);
  ASSERT_EQ(SaveFixed(index), KlWriteResult::Ok);

  TStorageFile as_project(kVersion, StorageDocKind::Project, kvi);
  EXPECT_EQ(ToInt(as_project.Load()), 95);
  EXPECT_EQ(as_project.ReadKind, 1);
  EXPECT_EQ(as_project.ComponentCount, 0) << "reading stops at the kind record";

  TStorageFile headless(kVersion, StorageDocKind::Index, dir.File("headless.kvi"));
  EXPECT_EQ(ToInt(LoadCrafted(headless, {{2, 0, D(29221)}})), 95);

  TStorageFile missing(kVersion, StorageDocKind::Index, dir.File("nope.kvi"));
  EXPECT_EQ(ToInt(missing.Load()), 3);
}

TEST_F(StorageFileTest, FailedLoadKeepsWhatWasReadBefore) {
  const std::string path = dir.File("damaged.kvp");
  TStorageFile s(kVersion, StorageDocKind::Project, path);
  FillIndexPart(s, 3, 1);
  FillProjectPart(s, 1);
  ASSERT_EQ(SaveFixed(s), KlWriteResult::Ok);
  std::string bytes = ReadWholeFile(path);
  WriteWholeFile(path, bytes.substr(0, bytes.size() - 40));
  TStorageFile in(kVersion, StorageDocKind::Project, path);
  EXPECT_EQ(in.Load(), StorageLoadResult::UnexpectedEnd);
  EXPECT_EQ(in.ComponentCount, 3);
  EXPECT_EQ(in.Component(2).Name, "Bestanddeel 2");
  EXPECT_EQ(in.ProjectName, "Brug over de Vecht");
}

TEST_F(StorageFileTest, OverwriteIsAskedOnlyWhenWanted) {
  const std::string path = dir.File("ask.kvp");
  WriteWholeFile(path, "old");
  struct AskCase {
    const char* name;
    bool confirm;
    int answer;  // -1: nobody to ask
    KlWriteResult expect;
    bool asked;
  };
  const AskCase cases[] = {
      {"declined", true, 0, KlWriteResult::OverwriteDeclined, true},
      {"no_one_to_ask", true, -1, KlWriteResult::OverwriteDeclined, false},
      {"accepted", true, 1, KlWriteResult::Ok, true},
      {"not_confirmed", false, 0, KlWriteResult::Ok, false},
  };
  for (const auto& c : cases) {
    WriteWholeFile(path, "old");
    TStorageFile s(kVersion, StorageDocKind::Project, path);
    bool asked = false;
    if (c.answer >= 0) {
      s.AskOverwrite = [&](std::string_view q) {
        asked = true;
        EXPECT_EQ(q, "Dit bestand bestaat reeds. Wilt u het overschrijven?");
        return c.answer == 1;
      };
    }
    EXPECT_EQ(s.Save(c.confirm), c.expect) << c.name;
    EXPECT_EQ(asked, c.asked) << c.name;
    EXPECT_EQ(ReadWholeFile(path) == "old", c.expect != KlWriteResult::Ok) << c.name;
  }
  // a new file is never asked about
  TStorageFile fresh(kVersion, StorageDocKind::Project, dir.File("new.kvp"));
  fresh.AskOverwrite = [](std::string_view) { ADD_FAILURE() << "asked for a new file"; return false; };
  EXPECT_EQ(fresh.Save(true), KlWriteResult::Ok);
}

TEST_F(StorageFileTest, EverySaveDrawsAFreshKey) {
  std::set<std::string> keys;
  for (int i = 0; i < 4; ++i) {
    const std::string path = dir.File("k" + std::to_string(i) + ".kvi");
    TStorageFile s(kVersion, StorageDocKind::Index, path);
    FillIndexPart(s, 1, 1);
    ASSERT_EQ(s.Save(), KlWriteResult::Ok);
    const std::string bytes = ReadWholeFile(path);
    const std::size_t at = std::string(":KelvarionSPE(tm) - PrijsCorrectum Indices").size() + 1;
    EXPECT_EQ(bytes[at], '\x60');
    keys.insert(bytes.substr(at + 4, 8));
    TStorageFile in(kVersion, StorageDocKind::Index, path);
    EXPECT_EQ(in.Load(), StorageLoadResult::Ok);
  }
  EXPECT_EQ(keys.size(), 4u);
}

TEST(StorageFilePathTest, PathIsSplitAtTheLastSeparator) {
  struct PathCase {
    const char* path;
    const char* folder;
    const char* name;
  };
  const PathCase cases[] = {
      {"C:\\Werk\\Brug.kvp", "", "C:\\Werk\\Brug.kvp"},  // a backslash is part of a name
      {"/home/u/Brug.kvp", "/home/u/", "Brug.kvp"},
      {"Brug.kvp", "", "Brug.kvp"},
      {"/Brug.kvp", "/", "Brug.kvp"},
  };
  for (const auto& c : cases) {
    TStorageFile s(kVersion, StorageDocKind::Project, c.path);
    EXPECT_EQ(s.Folder, c.folder) << c.path;
    EXPECT_EQ(s.FileName, c.name) << c.path;
    EXPECT_EQ(s.GetPath(), c.path);
  }
}

TEST(StorageFileFindTest, FindsByNameIgnoringCase) {
  TStorageFile s(kVersion, StorageDocKind::Index, "x.kvi");
  s.Component(1).Name = "Lonen";
  s.Component(2).Name = "\xC9nergie";  // É
  s.Component(3).Name = "Staal";
  s.ComponentCount = 2;  // entry 3 lies past the count
  EXPECT_EQ(s.FindComponent("LONEN"), 1);
  EXPECT_EQ(s.FindComponent("\xE9NERGIE"), 2);  // é
  EXPECT_EQ(s.FindComponent("Staal"), 0);
  EXPECT_EQ(s.FindComponent("Lone"), 0);
  EXPECT_EQ(s.FindComponent(""), 0);
}

// Every single-bit flip of a sound project file is either refused with a
// read code or reads exactly the sound contents (a flip in the header text
// or the ignored flag bytes): a damaged file never opens with changed
// figures.
TEST(StorageFileDamageTest, EveryBitFlipIsRefusedOrReadsTheSoundContents) {
  const std::string sources[] = {std::string(PC_TEST_DATA_DIR) + "/../../examples/worked-example.kvp",
                                 std::string(PC_TEST_DATA_DIR) + "/storage/project_small.kvp"};
  for (const auto& source : sources) {
    const std::string sound = ReadWholeFile(source);
    ASSERT_FALSE(sound.empty()) << source;
    TStorageFile reference("", StorageDocKind::Project, "sound.kvp");
    ASSERT_EQ(reference.LoadFromBytes(sound), StorageLoadResult::Ok) << source;
    const std::string expected = Dump(reference);
    int refused = 0, unchanged = 0;
    for (std::size_t bit = 0; bit < sound.size() * 8; ++bit) {
      std::string damaged = sound;
      damaged[bit / 8] = static_cast<char>(damaged[bit / 8] ^ (1 << (bit % 8)));
      TStorageFile s("", StorageDocKind::Project, "damaged.kvp");
      const StorageLoadResult result = s.LoadFromBytes(damaged);
      if (result != StorageLoadResult::Ok) {
        ++refused;
        continue;
      }
      ++unchanged;
      EXPECT_EQ(Dump(s), expected) << source << ": byte " << bit / 8 << " bit " << bit % 8;
    }
    EXPECT_GT(refused, unchanged) << source;
  }
}

}  // namespace
}  // namespace pc::storage
