#include "update/info_file.h"

#include <gtest/gtest.h>

namespace pc::update {
namespace {

using K = PlanStep::Kind;
const std::string H = "PrijsCorrectumAutoUpdateInfoFile";

TEST(InfoFileTest, SplitsAtEveryKindOfLineBreak) {
  const struct {
    std::string text;
    std::vector<std::string> lines;
  } cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
      {"a\r\n", {"a"}},
      {"a\r\n\r\nb", {"a", "", "b"}},
      {"\n\n", {"", ""}},
      {"a\n\rb", {"a", "", "b"}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitLines(c.text), c.lines) << c.text;
}

TEST(InfoFileTest, HeaderIsTheFirst32CharactersExactly) {
  EXPECT_TRUE(HasInfoFileHeader(H));
  EXPECT_TRUE(HasInfoFileHeader(H + " version 2, anything"));
  EXPECT_FALSE(HasInfoFileHeader("prijscorrectumAutoUpdateInfoFile"));
  EXPECT_FALSE(HasInfoFileHeader(H.substr(0, 31)));
  EXPECT_FALSE(HasInfoFileHeader(" " + H));
  EXPECT_FALSE(HasInfoFileHeader(""));
}

struct PlanCase {
  const char* name;
  std::vector<std::string> body;  // lines after the header
  PlanSettings settings;
  std::vector<PlanStep> steps;
};

PlanStep S(const std::string& t) { return {K::Status, t, TargetFolder::Updates}; }
PlanStep Fetch(const std::string& n, TargetFolder f) { return {K::Fetch, n, f}; }
PlanStep Dl(const std::string& n) { return {K::AddDownloadedIndex, n, TargetFolder::Index}; }
PlanStep On(const std::string& n) { return {K::AddOnlineIndex, n, TargetFolder::Index}; }
PlanStep DlMemo(const std::string& t) { return {K::AppendDownloadedMemo, t, TargetFolder::Updates}; }
PlanStep OnMemo(const std::string& t) { return {K::AppendOnlineMemo, t, TargetFolder::Updates}; }
PlanStep Core(const std::string& n) { return {K::SetCoreFile, n, TargetFolder::Updates}; }
PlanStep Refuse(const std::string& n) { return {K::RefuseName, "Ongeldige bestandsnaam \"" + n + "\"", TargetFolder::Updates}; }
constexpr TargetFolder U = TargetFolder::Updates;
constexpr TargetFolder I = TargetFolder::Index;

class PlanTest : public ::testing::TestWithParam<PlanCase> {};

TEST_P(PlanTest, PlansTheSteps) {
  std::vector<std::string> lines{H};
  lines.insert(lines.end(), GetParam().body.begin(), GetParam().body.end());
  EXPECT_EQ(PlanInfoFile(lines, GetParam().settings), GetParam().steps);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, PlanTest,
    ::testing::Values(
        PlanCase{"Empty", {}, {}, {}},
        PlanCase{"EveryKind",
                 {"D:C:\"setup2007.exe\"", "D:I:\"Indices.kvi\" trailing text", "D L \"Lokaal.kvi\"",
                  "D:O:\"Online.kvi\"", "D:X:\"readme.txt\"", "", "W server says", "E broken"},
                 {},
                 {Core("setup2007.exe"), Fetch("setup2007.exe", U), Dl("Indices.kvi"), Fetch("Indices.kvi", I),
                  Dl("Lokaal.kvi"), Fetch("Lokaal.kvi", I), On("Online.kvi"), Fetch("readme.txt", U),
                  S("Waarschuwing: \"W server says\""), S("Error: \"E broken\"")}},
        PlanCase{"MemosJoinWithLfCr",
                 {"D:I:\"a.kvi\"", "M first", "Mx", "M", "M third", "D:I:\"b.kvi\"", "M:own", "D:O:\"c.kvi\"",
                  "M online"},
                 {},
                 {Dl("a.kvi"), Fetch("a.kvi", I), DlMemo("first"), DlMemo("\n\r"), DlMemo("\n\r"),
                  DlMemo("\n\rthird"), Dl("b.kvi"), Fetch("b.kvi", I), DlMemo("own"), On("c.kvi"),
                  OnMemo("online")}},
        PlanCase{"MemosWithoutTargetAreIgnored",
                 {"M at start", "D:C:\"s.exe\"", "M after core", "D:I:\"a.kvi\"", "W warn", "M after warning",
                  "D:I:\"b.kvi\"", "E err", "M after error", "D:I:\"c.kvi\"", "?", "M after invalid",
                  "D:I:\"d.kvi\"", "D:X:\"x.txt\"", "M after other", "D:I:\"e.kvi\"", "D:I", "M after short",
                  "D:O:\"o.kvi\"", "", "M after empty line"},
                 {false, "s.exe"},
                 {Core("s.exe"), Dl("a.kvi"), Fetch("a.kvi", I), S("Waarschuwing: \"W warn\""), Dl("b.kvi"),
                  Fetch("b.kvi", I), S("Error: \"E err\""), Dl("c.kvi"), Fetch("c.kvi", I),
                  S("Ongeldige update instructieregel \"?\""), Dl("d.kvi"), Fetch("d.kvi", I), Fetch("x.txt", U),
                  Dl("e.kvi"), Fetch("e.kvi", I), S("Ongeldige update instructieregel \"D:I\""), On("o.kvi"),
                  OnMemo("after empty line")}},
        PlanCase{"CoreFileSameAsLastIsNotFetched", {"D:C:\"s.exe\""}, {false, "s.exe"}, {Core("s.exe")}},
        PlanCase{"CoreFileComparedExactly", {"D:C:\"S.exe\""}, {false, "s.exe"}, {Core("S.exe"), Fetch("S.exe", U)}},
        PlanCase{"SkipCoreFileKeepsTheLastName",
                 {"D:C:\"new.exe\""},
                 {true, "old.exe"},
                 {S("Downloaden van corebestand \"new.exe\" wordt overgeslagen (windows register optie)"),
                  Core("old.exe")}},
        PlanCase{"ShortAndBrokenFileLines",
                 {"D", "D:I:", "D:I:\"open.kvi", "D:I:noquotes", "DxIx\"ok.kvi\"", "d:I:\"lower.kvi\""},
                 {},
                 {S("Ongeldige update instructieregel \"D\""), S("Ongeldige update instructieregel \"D:I:\""),
                  S("Ongeldige update instructieregel \"D:I:\"open.kvi\""),
                  S("Ongeldige update instructieregel \"D:I:noquotes\""), Dl("ok.kvi"), Fetch("ok.kvi", I),
                  S("Ongeldige update instructieregel \"d:I:\"lower.kvi\"\"")}},
        PlanCase{"LowerCaseKindIsAnOtherFile", {"D:i:\"x.kvi\""}, {}, {Fetch("x.kvi", U)}},
        PlanCase{"NamesWithSpacesAndPlus", {"D:I:\"Indices 2007+.kvi\""}, {},
                 {Dl("Indices 2007+.kvi"), Fetch("Indices 2007+.kvi", I)}},
        PlanCase{"HostileNamesAreRefused",
                 {"D:I:\"\"", "D:I:\"../evil.kvi\"", "D:C:\"/etc/passwd\"", "D:X:\"sub\\x.txt\"",
                  "D:I:\"a/b.kvi\"", "D:O:\"..\"", "D:I:\"NUL.kvi\"", "D:I:\"com1\"", "D:I:\"C:x.kvi\""},
                 {},
                 {Refuse(""), Refuse("../evil.kvi"), Refuse("/etc/passwd"), Refuse("sub\\x.txt"), Refuse("a/b.kvi"),
                  Refuse(".."), Refuse("NUL.kvi"), Refuse("com1"), Refuse("C:x.kvi")}},
        PlanCase{"SkippedSetUpFileNamesNoFileToWrite",
                 {"D:C:\"../setup.exe\"", "D:I:\"a.kvi\""},
                 {true, "old.exe"},
                 {S("Downloaden van corebestand \"../setup.exe\" wordt overgeslagen (windows register optie)"),
                  Core("old.exe"), Dl("a.kvi"), Fetch("a.kvi", I)}}),
    [](const ::testing::TestParamInfo<PlanCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace pc::update
