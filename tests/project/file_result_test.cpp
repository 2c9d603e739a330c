#include "project/file_result.h"

#include <gtest/gtest.h>

namespace pc::project {
namespace {

struct MessageCase {
  TFileOperation operation;
  int code;
  const char* message;  // "" for none
  bool succeeded;
};

TEST(FileResultTest, EveryCodeGivesItsMessageAndResult) {
  const MessageCase cases[] = {
      {TFileOperation::Read, 0, "", true},
      {TFileOperation::Read, 1, "", true},
      {TFileOperation::Read, 2, "Brug.kvp: Niet gevonden (code 2).", false},
      {TFileOperation::Read, 3, "Brug.kvp: Niet gevonden (code 3).", false},
      {TFileOperation::Read, 4, "Brug.kvp: Fout bij lezen (code 4).", false},
      {TFileOperation::Read, 5, "Brug.kvp: Fout bij lezen (code 5).", false},
      {TFileOperation::Read, 6, "Brug.kvp: Foutief bestandsformaat (code 6).", false},
      {TFileOperation::Read, 7, "Brug.kvp: Foutief bestandsformaat (code 7).", false},
      {TFileOperation::Read, 8, "Brug.kvp: Foutief bestandsformaat (code 8).", false},
      {TFileOperation::Read, 9, "Brug.kvp: Foutief bestandsformaat (code 9).", false},
      {TFileOperation::Read, 95, "Brug.kvp: Foutief bestandsformaat (code 95).", false},
      {TFileOperation::Read, 10, "", true},
      {TFileOperation::Write, 0, "", true},
      {TFileOperation::Write, 1, "", true},
      {TFileOperation::Write, 2, "", false},
      {TFileOperation::Write, 3, "Brug.kvp: Fout bij schrijven (code 3).", false},
      {TFileOperation::Write, 4, "Brug.kvp: Fout bij schrijven (code 4).", false},
      {TFileOperation::Write, 5, "Brug.kvp: Fout bij schrijven (code 5).", false},
      {TFileOperation::Write, 95, "", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    EXPECT_EQ(FileResultMessage(c.operation, c.code, "C:\\Werk\\Brug.kvp"), c.message);
    EXPECT_EQ(FileResultSucceeded(c.operation, c.code), c.succeeded);
  }
}

TEST(FileResultTest, MessageNamesTheFileWithoutFolderForEitherSeparator) {
  EXPECT_EQ(FileResultMessage(TFileOperation::Read, 3, "/home/an/werk/Indices.kvi"),
            "Indices.kvi: Niet gevonden (code 3).");
  EXPECT_EQ(FileResultMessage(TFileOperation::Read, 3, "Indices.kvi"),
            "Indices.kvi: Niet gevonden (code 3).");
  // a path that names no file is named whole
  EXPECT_EQ(FileResultMessage(TFileOperation::Write, 4, "/home/an/werk/"),
            "/home/an/werk/: Fout bij schrijven (code 4).");
  EXPECT_EQ(FolderOf("C:\\Werk\\Brug.kvp"), "C:\\Werk\\");
  EXPECT_EQ(FolderOf("/tmp/a/b.kvp"), "/tmp/a/");
  EXPECT_EQ(FolderOf("b.kvp"), "");
  EXPECT_EQ(FileNameOf("/tmp/a/"), "");
}

}  // namespace
}  // namespace pc::project
