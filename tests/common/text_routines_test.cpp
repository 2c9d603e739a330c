#include "common/text_routines.h"

#include <gtest/gtest.h>

namespace pc {
namespace {

TEST(GroupDigits, GroupsOfThreeFromTheRight) {
  struct Case {
    std::uint64_t in;
    const char* out;
  };
  const Case cases[] = {{0, "0"},           {123, "123"},       {999, "999"},
                        {1000, "1.000"},    {1234, "1.234"},    {123456, "123.456"},
                        {1234567, "1.234.567"}, {18446744073709551615ULL, "18.446.744.073.709.551.615"}};
  for (const Case& c : cases) EXPECT_EQ(GroupDigits(c.in, '.'), c.out) << c.in;
  EXPECT_EQ(GroupDigits(1234567, ' '), "1 234 567");
}

TEST(ParseInteger, TolerantOfBlanksOnly) {
  struct Case {
    const char* in;
    std::int32_t out;
  };
  const Case cases[] = {
      {"", 0},        {" ", 0},           {"2007", 2007},   {" 2 007 ", 2007}, {"-12", -12},
      {"12a", 0},     {"a12", 0},         {"1-2", 0},       {"--3", 0},        {"-", 0},
      {"+5", 0},      {"1,5", 0},         {"1.5", 0},       {"007", 7},        {"\t7", 0},
      {"2147483647", 2147483647},         {"2147483648", 0}, {"-2147483648", -2147483647 - 1},
      {"99999999999999999999", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseInteger(c.in), c.out) << '"' << c.in << '"';
}

TEST(SplitPath, FolderNameAndExtension) {
  struct Case {
    const char* in;
    const char* folder;
    const char* name;
    const char* ext;
  };
  const Case cases[] = {
      {"C:\\data\\project.v2.kvp", "C:\\data\\", "project.v2", ".kvp"},
      {"C:\\data\\project", "C:\\data\\", "project", ""},
      {"project.kvp", "", "project", ".kvp"},
      {"C:\\my.dir\\file", "C:\\my.dir\\", "file", ""},
      {"/home/an/my.dir/logo", "/home/an/my.dir/", "logo", ""},
      {"/home/an/Brug.v2.kvp", "/home/an/", "Brug.v2", ".kvp"},
      {"C:\\data\\", "C:\\data\\", "", ""},
      {"", "", "", ""},
      {".kvi", "", "", ".kvi"},
  };
  for (const Case& c : cases) {
    const TPathParts p = SplitPath(c.in);
    EXPECT_EQ(p.Folder, c.folder) << c.in;
    EXPECT_EQ(p.Name, c.name) << c.in;
    EXPECT_EQ(p.Extension, c.ext) << c.in;
  }
}

TEST(FileBaseName, DropsFolderAndFourCharacters) {
  EXPECT_EQ(FileBaseName("C:\\data\\Indices.kvi"), "Indices");
  EXPECT_EQ(FileBaseName("/home/a/project.kvp"), "project");
  EXPECT_EQ(FileBaseName("a.kvp"), "a");
  EXPECT_EQ(FileBaseName(".kvp"), "");
  EXPECT_EQ(FileBaseName("ab"), "");
  EXPECT_EQ(FileBaseName(""), "");
}

TEST(StringEdits, StripPadReplaceRemove) {
  EXPECT_EQ(StripLeading("000120", '0'), "120");
  EXPECT_EQ(StripLeading("0000", '0'), "");
  EXPECT_EQ(StripLeading("", '0'), "");
  EXPECT_EQ(StripTrailing("12,500", '0'), "12,5");
  EXPECT_EQ(StripTrailing("12,", ','), "12");
  EXPECT_EQ(StripTrailing(",,,", ','), "");
  EXPECT_EQ(PadLeft("7", 2, '0'), "07");
  EXPECT_EQ(PadLeft("123", 2, '0'), "123");
  EXPECT_EQ(PadLeft("", 3, ' '), "   ");

  struct Case {
    const char* text;
    const char* from;
    const char* to;
    const char* out;
  };
  const Case cases[] = {
      {"1.234,50", ".", "", "1234,50"},
      {"1.234,50", ",", ".", "1.234.50"},
      {"aaa", "a", "aa", "aaaaaa"},  // the replacement is never rescanned
      {"aaaa", "aa", "b", "bb"},
      {"abc", "", "x", "abc"},
      {"", "a", "b", ""},
      {"a%sb", "%s", "12", "a12b"},
  };
  for (const Case& c : cases) EXPECT_EQ(ReplaceAll(c.text, c.from, c.to), c.out) << c.text;

  EXPECT_EQ(RemoveCharacters("1.234,5 0", ". "), "1234,50");
  EXPECT_EQ(RemoveCharacters("abc", ""), "abc");
}

TEST(AllCharactersInSet, UpperCaseBeforeComparing) {
  EXPECT_TRUE(AllCharactersInSet("", "ABC"));
  EXPECT_TRUE(AllCharactersInSet("abc", "ABC"));
  EXPECT_TRUE(AllCharactersInSet("CAB", "ABC"));
  EXPECT_FALSE(AllCharactersInSet("abcd", "ABC"));
  EXPECT_FALSE(AllCharactersInSet("abc", "abc"));  // lower-case set never matches letters
  EXPECT_TRUE(AllCharactersInSet("12-3", "0123456789-"));
}

TEST(CaseFolding, OnlyPlainLetters) {
  EXPECT_EQ(UpperCase("Lonen ab\xe9"), "LONEN AB\xe9");  // é stays as written
  EXPECT_TRUE(SameTextIgnoringCase("Lonen", "LONEN"));
  EXPECT_FALSE(SameTextIgnoringCase("\xe9", "\xc9"));
  EXPECT_FALSE(SameTextIgnoringCase("Lonen", "Lone"));
  EXPECT_EQ(CutText("abcdefghijklmnopqrstuvwxyz0123", 25), "abcdefghijklmnopqrstuvwxy");
  EXPECT_EQ(CutText("abc", 25), "abc");
}

}  // namespace
}  // namespace pc
