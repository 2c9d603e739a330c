#include "settings/option_values.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace pc::settings {
namespace {

TEST(OptionValuesTest, PortIsANumberAConnectionCanUse) {
  const struct {
    const char* text;
    std::optional<std::int32_t> port;
  } cases[] = {
      {"8080", 8080}, {" 3128 ", 3128}, {"1", 1},          {"65535", 65535}, {"00080", 80},
      {"0", {}},      {"65536", {}},    {"99999999999", {}}, {"-1", {}},      {"80a", {}},
      {"", {}},       {"  ", {}},       {"8 0", {}},       {"+80", {}},      {"0x50", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadPort(c.text), c.port) << '"' << c.text << '"';
}

TEST(OptionValuesTest, FolderTextEndsInTheSeparator) {
  EXPECT_EQ(IndexFolderText("  /data/index "), "/data/index/");
  EXPECT_EQ(IndexFolderText("/data/index/"), "/data/index/");
  EXPECT_EQ(IndexFolderText("   "), "");
}

TEST(OptionValuesTest, FolderIsMadeOrNamedInTheMessage) {
  const auto root = std::filesystem::temp_directory_path() / ("pc-options-" + std::to_string(::getpid()));
  std::filesystem::remove_all(root);
  const std::string deep = (root / "a" / "b").string() + "/";
  EXPECT_EQ(MakeIndexFolder(deep), "");
  EXPECT_TRUE(std::filesystem::is_directory(deep));
  EXPECT_EQ(MakeIndexFolder(deep), "");  // already there
  std::ofstream(root / "file") << "x";
  const std::string underFile = (root / "file" / "sub").string() + "/";
  EXPECT_EQ(MakeIndexFolder(underFile), "De map \"" + underFile + "\" kan niet worden aangemaakt.");
  EXPECT_EQ(MakeIndexFolder(""), "De map \"\" kan niet worden aangemaakt.");
  std::filesystem::remove_all(root);
}

}  // namespace
}  // namespace pc::settings
