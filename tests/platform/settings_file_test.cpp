#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "platform/file_registry.h"

namespace pc::platform {
namespace {

// Everything a hive holds, in a form that compares: "key|value" -> (type, text, number).
using Flat = std::map<std::string, std::tuple<RegistryValueType, std::string, std::uint32_t>>;

Flat Flatten(const RegistryTree& tree) {
  Flat flat;
  tree.ForEachKey([&](const std::string& path, std::span<const RegistryValue> values) {
    flat[path + "#"] = {RegistryValueType::None, "", 0};  // the key itself
    for (const auto& v : values) flat[path + "|" + v.name] = {v.type, v.text, v.number};
  });
  return flat;
}

std::string AllBytes() {
  std::string s;
  for (int i = 1; i < 256; ++i) s += static_cast<char>(i);
  return s;
}

void FillSample(RegistryTree& tree) {
  tree.SetDWord("\\Software\\PrijsCorrectum\\2006\\MainWindow", "WinState", 2);
  tree.SetDWord("\\Software\\PrijsCorrectum\\2006\\MainWindow", "Top", 0xFFFFFFF8u);
  tree.SetString("\\Software\\PrijsCorrectum\\2006\\App", "centralPath", "/data/Caf\xE9 \x80/");
  tree.SetString("\\Software\\PrijsCorrectum\\2006\\App", "every byte", AllBytes());
  tree.SetString("\\Software\\PrijsCorrectum\\2006\\App", "", "default value");
  tree.SetString("\\Software\\PrijsCorrectum\\2006\\App", "quote\"and\\slash", "\"\\\n\t");
  tree.SetDWord("\\Software\\PrijsCorrectum\\2006\\Update", "Enabled", 1);
  tree.SetDWord("\\Software\\PrijsCorrectum\\2006\\Update", "Max", 0xFFFFFFFFu);
  RegistryValue bin;
  bin.name = "Blob";
  bin.type = RegistryValueType::Binary;
  bin.text = std::string("\x00\x01\xFE\xFF", 4);
  tree.SetValue("\\Software\\PrijsCorrectum\\2006\\Update", bin);
  tree.OpenKey("\\Software\\PrijsCorrectum\\2006\\Empty", true);
  tree.SetString("\\Software\\PrijsCorrectum\\2006\\DownloadedIndexInfo\\0", "FileName", "Bouw.kvi");
}

TEST(SettingsFileFormat, EveryValueSurvivesEncodingAndDecoding) {
  RegistryTree original;
  FillSample(original);
  const std::string text = EncodeSettingsFile(original);
  RegistryTree decoded;
  EXPECT_EQ(DecodeSettingsFile(text, decoded), SettingsFileState::Loaded);
  EXPECT_EQ(Flatten(decoded), Flatten(original));
  // and it is the layout a person reads: key paths, names, plain numbers
  EXPECT_NE(text.find("\"\\\\Software\\\\PrijsCorrectum\\\\2006\\\\MainWindow\": {"), std::string::npos) << text;
  EXPECT_NE(text.find("\"WinState\": 2"), std::string::npos);
  EXPECT_NE(text.find("Caf\xC3\xA9 \xE2\x82\xAC"), std::string::npos);  // UTF-8 in the file
}

TEST(SettingsFileFormat, HandWrittenFormsAreRead) {
  const std::string text = R"({
    "\\K": {
      "neg": -8,
      "flag": true,
      "sz": {"REG_SZ": "x"},
      "dw": {"REG_DWORD": 12},
      "bin": {"REG_BINARY": "00ff"}
    },
    "K2\\Sub": {}
  })";
  RegistryTree tree;
  EXPECT_EQ(DecodeSettingsFile(text, tree), SettingsFileState::Loaded);
  RegistryValue v;
  ASSERT_EQ(tree.GetValue("K", "neg", v), RegistryResult::Ok);
  EXPECT_EQ(v.type, RegistryValueType::DWord);
  EXPECT_EQ(v.number, 0xFFFFFFF8u);
  ASSERT_EQ(tree.GetValue("K", "flag", v), RegistryResult::Ok);
  EXPECT_EQ(v.number, 1u);
  ASSERT_EQ(tree.GetValue("K", "sz", v), RegistryResult::Ok);
  EXPECT_EQ(v.type, RegistryValueType::String);
  ASSERT_EQ(tree.GetValue("K", "dw", v), RegistryResult::Ok);
  EXPECT_EQ(v.number, 12u);
  ASSERT_EQ(tree.GetValue("K", "bin", v), RegistryResult::Ok);
  EXPECT_EQ(v.type, RegistryValueType::Binary);
  EXPECT_EQ(v.text, std::string("\x00\xFF", 2));
  EXPECT_EQ(tree.OpenKey("\\K2\\Sub", false), RegistryResult::Ok);
}

// A value of a form the file cannot hold costs that value only.
TEST(SettingsFileFormat, AnUnreadableValueIsSkippedAlone) {
  const char* bad[] = {
      "1.5",  "-2147483649",  "4294967296", "null",  "[1, 2]", "{}", R"({"REG_BINARY": "abc"})",
      R"({"REG_BINARY": "zz"})", R"({"REG_DWORD": "1"})", R"({"REG_SZ": 1})", R"({"REG_NONE": 1})",
      R"({"REG_SZ": "a", "REG_DWORD": 1})", R"({"REG_SZ": {"deep": [1, {"x": 2}]}})",
  };
  for (const char* value : bad) {
    const std::string text = std::string(R"({"\\K": {"before": 1, "bad": )") + value +
                             R"(, "after": "ok"}, "\\L": {"x": 2}})";
    RegistryTree tree;
    EXPECT_EQ(DecodeSettingsFile(text, tree), SettingsFileState::Damaged) << value;
    RegistryValue v;
    EXPECT_EQ(tree.GetValue("K", "bad", v), RegistryResult::NotFound) << value;
    EXPECT_EQ(tree.GetValue("K", "before", v), RegistryResult::Ok) << value;
    EXPECT_EQ(tree.GetValue("K", "after", v), RegistryResult::Ok) << value;
    EXPECT_EQ(tree.GetValue("L", "x", v), RegistryResult::Ok) << value;
  }
}

TEST(SettingsFileFormat, KeysThatAreNotObjectsOrHaveBadPathsAreSkipped) {
  const std::string text = R"({"\\A": 5, "\\B": [1], "": {"v": 1}, "\\\\": {"v": 1}, "A\\\\B": {"v": 1},
                               "\\C": {"v": 3}})";
  RegistryTree tree;
  EXPECT_EQ(DecodeSettingsFile(text, tree), SettingsFileState::Damaged);
  Flat flat = Flatten(tree);
  ASSERT_EQ(flat.size(), 2u);
  EXPECT_EQ(std::get<2>(flat["C|v"]), 3u);
}

TEST(SettingsFileFormat, TextsThatAreNotAFileOfThisLayoutGiveNothing) {
  const char* texts[] = {"", "   ", "[]", "[{\"\\\\K\": {\"v\": 1}}]", "42", "\"text\"", "nul", "\xEF\xBB\xBF",
                         "{\"\\\\K\": {\"v\": \"\xFF\"}}"};
  for (const char* text : texts) {
    RegistryTree tree;
    EXPECT_EQ(DecodeSettingsFile(text, tree), SettingsFileState::Damaged) << text;
    RegistryValue v;
    EXPECT_NE(tree.GetValue("K", "v", v), RegistryResult::Ok) << text;
  }
}

// Cutting a sound file anywhere never crashes, never invents a value and
// never keeps a value that differs from what was written.
TEST(SettingsFileFormat, ATruncatedFileKeepsOnlyWholeValues) {
  RegistryTree original;
  FillSample(original);
  const Flat want = Flatten(original);
  const std::string text = EncodeSettingsFile(original);
  std::size_t best = 0;
  for (std::size_t cut = 0; cut < text.size(); ++cut) {
    RegistryTree tree;
    const SettingsFileState state = DecodeSettingsFile(std::string_view(text).substr(0, cut), tree);
    const Flat got = Flatten(tree);
    // The final newline is not part of the JSON: everything before it is whole.
    if (cut < text.size() - 1) {
      EXPECT_EQ(state, SettingsFileState::Damaged) << cut;
    }
    for (const auto& [name, value] : got) {
      const auto it = want.find(name);
      ASSERT_NE(it, want.end()) << "cut " << cut << " invented " << name;
      EXPECT_EQ(it->second, value) << "cut " << cut << " changed " << name;
    }
    EXPECT_GE(got.size(), best) << "cut " << cut << " lost what a shorter text kept";
    best = std::max(best, got.size());
  }
  EXPECT_GT(best, want.size() / 2);
}

TEST(SettingsFileFormat, DamageInTheMiddleKeepsWhatCameBefore) {
  RegistryTree original;
  original.SetDWord("\\First", "a", 1);
  original.SetDWord("\\Second", "b", 2);
  original.SetDWord("\\Third", "c", 3);
  std::string text = EncodeSettingsFile(original);
  const std::size_t at = text.find("Third");
  ASSERT_NE(at, std::string::npos);
  text[at - 3] = '#';  // the comma before "\\Third"
  RegistryTree tree;
  EXPECT_EQ(DecodeSettingsFile(text, tree), SettingsFileState::Damaged);
  RegistryValue v;
  EXPECT_EQ(tree.GetValue("First", "a", v), RegistryResult::Ok);
  EXPECT_EQ(tree.GetValue("Second", "b", v), RegistryResult::Ok);
  EXPECT_NE(tree.GetValue("Third", "c", v), RegistryResult::Ok);
}

TEST(SettingsFileFormat, DeepNestingDoesNotExhaustTheStack) {
  std::string text = R"({"\\K": {"v": )";
  text += std::string(200000, '[');
  RegistryTree tree;
  EXPECT_EQ(DecodeSettingsFile(text, tree), SettingsFileState::Damaged);
}

}  // namespace
}  // namespace pc::platform
