// The component dialog's values applied to the table by its kind.
#include "indextable/component_edit.h"

#include <gtest/gtest.h>

#include "table_fixture.h"

namespace pc {
namespace {

using testing::Component;
using R = TComponentEditResult;

TBDConfig TwoComponents(std::uint8_t kind) {
  TBDConfig t = testing::TableJanToJun2008();
  t.AddComponent(Component("Arbeid", 40));
  t.AddComponent(Component("Materiaal", 60));
  t.SetTableKind(kind);
  return t;
}

TEST(ApplyComponentEdit, NamesAndKinds) {
  struct Case {
    const char* what;
    std::uint8_t kind;
    int position;
    TComponentValues values;
    R result;
    const char* nameAtPosition1;
    int count;
  } cases[] = {
      {"add a new name", table_kind::kEditable, 0, Component("Energie", 5), R::Changed, "Arbeid", 3},
      {"add a name in other case", table_kind::kEditable, 0, Component("ARBEID", 5), R::DuplicateName, "Arbeid", 2},
      {"add an empty name", table_kind::kEditable, 0, Component("", 5), R::Unchanged, "Arbeid", 2},
      {"rename in other case", table_kind::kEditable, 1, Component("ARBEID", 40), R::Changed, "ARBEID", 2},
      {"rename onto another", table_kind::kEditable, 1, Component("materiaal", 40), R::DuplicateName, "Arbeid", 2},
      {"same values", table_kind::kEditable, 1, Component("Arbeid", 40), R::Unchanged, "Arbeid", 2},
      {"protected: no change", table_kind::kWriteProtected, 1, Component("Loon", 10), R::Unchanged, "Arbeid", 2},
      {"protected: no add", table_kind::kWriteProtected, 0, Component("Loon", 10), R::Unchanged, "Arbeid", 2},
      {"downloaded: name kept, share changed", table_kind::kDownloaded, 1, Component("Loon", 10), R::Changed,
       "Arbeid", 2},
      {"downloaded: no add", table_kind::kDownloaded, 0, Component("Loon", 10), R::Unchanged, "Arbeid", 2},
  };
  for (const Case& c : cases) {
    TBDConfig t = TwoComponents(c.kind);
    EXPECT_EQ(ApplyComponentEdit(t, c.position, c.values), c.result) << c.what;
    EXPECT_EQ(t.GetComponentName(1), c.nameAtPosition1) << c.what;
    EXPECT_EQ(t.Count(), c.count) << c.what;
  }
}

TEST(ApplyComponentEdit, DownloadedTableTakesTheShare) {
  TBDConfig t = TwoComponents(table_kind::kDownloaded);
  ApplyComponentEdit(t, 1, Component("Loon", 10));
  EXPECT_EQ(t.GetComponent(1).Percentage, 10);
}

TEST(ApplyComponentEdit, FullTableRefusesAnAdd) {
  TBDConfig t = testing::TableJanToJun2008();
  for (int i = 0; i < kMaxComponents; ++i) t.AddComponent(Component("C" + std::to_string(i)));
  EXPECT_EQ(ApplyComponentEdit(t, 0, Component("Nieuw")), R::TableFull);
}

}  // namespace
}  // namespace pc
