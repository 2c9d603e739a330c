#include <gtest/gtest.h>

#include "platform/memory_registry.h"
#include "platform/registry_tree.h"

namespace pc::platform {
namespace {

TEST(RegistryPath, SplitsAtBackslashesAndRejectsEmptyNames) {
  struct Case {
    const char* path;
    bool ok;
    std::vector<std::string> names;
  } cases[] = {
      {"\\Software\\PrijsCorrectum\\2006", true, {"Software", "PrijsCorrectum", "2006"}},
      {"Software\\A", true, {"Software", "A"}},
      {"A", true, {"A"}},
      {"", false, {}},
      {"\\", false, {}},
      {"A\\\\B", false, {}},
      {"A\\", false, {}},
      {"\\\\A", false, {}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> names;
    EXPECT_EQ(RegistryTree::SplitPath(c.path, names), c.ok) << c.path;
    if (c.ok) {
      EXPECT_EQ(names, c.names) << c.path;
    }
  }
}

class MemoryRegistryTest : public ::testing::Test {
 protected:
  std::unique_ptr<RegistryKey> Open(std::string_view path, KeyAccess access,
                                    RegistryRoot root = RegistryRoot::CurrentUser) {
    std::unique_ptr<RegistryKey> key;
    last_ = registry_.OpenKey(root, path, access, key);
    return key;
  }
  MemoryRegistry registry_;
  RegistryResult last_ = RegistryResult::Ok;
};

TEST_F(MemoryRegistryTest, OpeningWithoutCreateFindsOnlyExistingKeys) {
  EXPECT_EQ(Open("\\Software\\X", KeyAccess::ReadOnly), nullptr);
  EXPECT_EQ(last_, RegistryResult::NotFound);
  ASSERT_NE(Open("\\Software\\X\\Y", KeyAccess::Create), nullptr);
  // parents were made, and names match without regard to case
  EXPECT_NE(Open("\\SOFTWARE\\x", KeyAccess::ReadOnly), nullptr);
  EXPECT_NE(Open("software\\x\\y", KeyAccess::ReadWrite), nullptr);
  EXPECT_EQ(Open("", KeyAccess::Create), nullptr);
  EXPECT_EQ(last_, RegistryResult::InvalidName);
}

TEST_F(MemoryRegistryTest, ValuesKeepTheirTypeAndReadsOfAnotherTypeFail) {
  auto key = Open("\\K", KeyAccess::Create);
  ASSERT_NE(key, nullptr);
  ASSERT_EQ(key->WriteString("S", "tekst"), RegistryResult::Ok);
  ASSERT_EQ(key->WriteDWord("D", 0xFFFFFFFFu), RegistryResult::Ok);
  const std::vector<std::uint8_t> bytes{0, 1, 0xFF};
  ASSERT_EQ(key->WriteBinary("B", bytes), RegistryResult::Ok);

  std::string s = "unchanged";
  std::uint32_t d = 7;
  std::vector<std::uint8_t> b{9};
  EXPECT_EQ(key->ReadString("D", s), RegistryResult::WrongType);
  EXPECT_EQ(key->ReadDWord("S", d), RegistryResult::WrongType);
  EXPECT_EQ(key->ReadBinary("S", b), RegistryResult::WrongType);
  EXPECT_EQ(key->ReadString("missing", s), RegistryResult::NotFound);
  EXPECT_EQ(s, "unchanged");
  EXPECT_EQ(d, 7u);
  EXPECT_EQ(b, std::vector<std::uint8_t>{9});

  EXPECT_EQ(key->ReadString("s", s), RegistryResult::Ok);
  EXPECT_EQ(s, "tekst");
  EXPECT_EQ(key->ReadDWord("D", d), RegistryResult::Ok);
  EXPECT_EQ(d, 0xFFFFFFFFu);
  EXPECT_EQ(key->ReadBinary("B", b), RegistryResult::Ok);
  EXPECT_EQ(b, bytes);

  RegistryValueType type{};
  EXPECT_EQ(key->GetValueType("b", type), RegistryResult::Ok);
  EXPECT_EQ(type, RegistryValueType::Binary);
  EXPECT_EQ(key->GetValueType("none", type), RegistryResult::NotFound);
  EXPECT_EQ(type, RegistryValueType::None);

  // Writing another type over a value replaces it, keeping the first spelling.
  ASSERT_EQ(key->WriteDWord("s", 5), RegistryResult::Ok);
  std::vector<std::string> names;
  ASSERT_EQ(key->ListValues(names), RegistryResult::Ok);
  EXPECT_EQ(names, (std::vector<std::string>{"S", "D", "B"}));
  EXPECT_EQ(key->ReadDWord("S", d), RegistryResult::Ok);
  EXPECT_EQ(d, 5u);
}

TEST_F(MemoryRegistryTest, ReadOnlyHandlesAndTheMachineHiveRefuseWrites) {
  ASSERT_NE(Open("\\K", KeyAccess::Create), nullptr);
  auto readOnly = Open("\\K", KeyAccess::ReadOnly);
  ASSERT_NE(readOnly, nullptr);
  EXPECT_EQ(readOnly->WriteString("a", "b"), RegistryResult::AccessDenied);
  EXPECT_EQ(readOnly->DeleteValue("a"), RegistryResult::AccessDenied);
  EXPECT_EQ(readOnly->DeleteSubKey("a"), RegistryResult::AccessDenied);

  EXPECT_EQ(Open("\\M", KeyAccess::Create, RegistryRoot::LocalMachine), nullptr);
  EXPECT_EQ(last_, RegistryResult::AccessDenied);
  registry_.Hive(RegistryRoot::LocalMachine).SetString("\\M", "v", "x");
  auto machine = Open("\\M", KeyAccess::ReadWrite, RegistryRoot::LocalMachine);
  ASSERT_NE(machine, nullptr);
  EXPECT_EQ(machine->WriteString("v", "y"), RegistryResult::AccessDenied);
  EXPECT_EQ(registry_.DeleteKey(RegistryRoot::LocalMachine, "\\M"), RegistryResult::AccessDenied);
}

TEST_F(MemoryRegistryTest, DeletingAKeyTakesItsSubtreeAndStrandsOpenHandles) {
  auto parent = Open("\\P", KeyAccess::Create);
  auto child = Open("\\P\\C\\G", KeyAccess::Create);
  ASSERT_NE(parent, nullptr);
  ASSERT_NE(child, nullptr);
  ASSERT_EQ(child->WriteString("v", "x"), RegistryResult::Ok);
  ASSERT_NE(Open("\\P\\D", KeyAccess::Create), nullptr);

  std::vector<std::string> names;
  ASSERT_EQ(parent->ListSubKeys(names), RegistryResult::Ok);
  EXPECT_EQ(names, (std::vector<std::string>{"C", "D"}));

  EXPECT_EQ(parent->DeleteSubKey("c"), RegistryResult::Ok);
  EXPECT_EQ(parent->DeleteSubKey("c"), RegistryResult::NotFound);
  EXPECT_EQ(parent->DeleteSubKey("D\\x"), RegistryResult::InvalidName);
  std::string s;
  EXPECT_EQ(child->ReadString("v", s), RegistryResult::KeyDeleted);
  EXPECT_EQ(child->WriteString("v", "y"), RegistryResult::KeyDeleted);
  EXPECT_EQ(Open("\\P\\C", KeyAccess::ReadOnly), nullptr);

  EXPECT_EQ(registry_.DeleteKey(RegistryRoot::CurrentUser, "\\P"), RegistryResult::Ok);
  EXPECT_EQ(parent->ListSubKeys(names), RegistryResult::KeyDeleted);
  EXPECT_EQ(registry_.DeleteKey(RegistryRoot::CurrentUser, "\\P"), RegistryResult::NotFound);

  // A key made again under the same path is reached by the old handle.
  ASSERT_NE(Open("\\P\\C\\G", KeyAccess::Create), nullptr);
  EXPECT_EQ(child->ReadString("v", s), RegistryResult::NotFound);
}

TEST_F(MemoryRegistryTest, FlushReportsTheInjectedFailure) {
  EXPECT_EQ(registry_.Flush(), RegistryResult::Ok);
  registry_.FailFlush(RegistryResult::WriteFailed);
  EXPECT_EQ(registry_.Flush(), RegistryResult::WriteFailed);
  EXPECT_EQ(registry_.FlushCount(), 2);
}

TEST(RegistryTreeWalk, VisitsParentsBeforeChildrenInCreationOrder) {
  RegistryTree tree;
  tree.SetDWord("\\B\\2", "n", 2);
  tree.SetDWord("\\A", "n", 1);
  tree.SetDWord("\\B\\1", "n", 3);
  tree.SetDWord("\\B", "n", 4);
  std::vector<std::string> paths;
  tree.ForEachKey([&](const std::string& path, std::span<const RegistryValue>) { paths.push_back(path); });
  EXPECT_EQ(paths, (std::vector<std::string>{"B", "B\\2", "B\\1", "A"}));
}

}  // namespace
}  // namespace pc::platform
