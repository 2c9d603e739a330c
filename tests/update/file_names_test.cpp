#include "update/file_names.h"

#include <gtest/gtest.h>

namespace pc::update {
namespace {

TEST(FileNamesTest, OnlyNamesThatStayInTheirFolderAreSafe) {
  const struct {
    std::string name;
    bool safe;
  } cases[] = {
      {"Indices.kvi", true},
      {"Indices 2007+.kvi", true},
      {"setup-2007.07.exe", true},
      {"console.kvi", true},
      {"con.sole.kvi", false},
      {"nul2.kvi", true},
      {"LPT0", true},
      {"\xE9t\xE9.kvi", true},
      {"", false},
      {".", false},
      {"..", false},
      {"...", false},
      {"a..b", false},
      {"../x", false},
      {"..\\x", false},
      {"/abs", false},
      {"\\abs", false},
      {"a/b", false},
      {"a\\b", false},
      {"C:file", false},
      {"file.kvi:stream", false},
      {"tab\there", false},
      {"new\nline", false},
      {std::string("nul\0byte", 8), false},
      {"trailing.", false},
      {"trailing ", false},
      {"CON", false},
      {"con", false},
      {"Prn.txt", false},
      {"aux.kvi", false},
      {"NUL", false},
      {"COM1", false},
      {"lpt9.kvi", false},
      {"CONOUT$", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsSafeFileName(c.name), c.safe) << c.name;
}

TEST(FileNamesTest, PercentEncodesAllButLettersAndDigits) {
  EXPECT_EQ(PercentEncode("Indices 2007+.kvi"), "Indices%202007%2B%2Ekvi");
  EXPECT_EQ(PercentEncode("azAZ09"), "azAZ09");
  EXPECT_EQ(PercentEncode("\xE9\x01-_~"), "%E9%01%2D%5F%7E");
  EXPECT_EQ(PercentEncode(""), "");
}

}  // namespace
}  // namespace pc::update
