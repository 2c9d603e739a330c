// Pasting arbitrary clipboard text into an index table never crashes, keeps
// every figure inside the figure range, changes nothing when it refuses a
// field, and leaves the table's copy-to-text in step with what it shows.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "indextable/figure_clipboard.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const int columns = 1 + data[0] % 4;
  const int rows = 1 + data[1] % 30;
  const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);

  for (const pc::TPasteField& f : pc::ReadPasteFields(text, columns, rows)) {
    if (f.Column < 0 || f.Column >= columns || f.Row < 0 || f.Row >= rows) std::abort();
    if (const auto figure = pc::ReadFigureText(f.Text); figure && !(*figure >= 0 && *figure <= pc::kMaxFigure))
      std::abort();
  }

  pc::TBDConfig table(nullptr, 2012);
  pc::TComponentValues a;
  a.Name = "A";
  a.TrendKind = pc::trend_kind::kFromFigures;
  table.AddComponent(a);
  a.Name = "B";
  a.TrendKind = pc::trend_kind::kNone;
  table.AddComponent(a);
  table.SetFigure(1, 2, false, 100);
  table.SetFigure(1, 5, false, 110);
  const std::string before = pc::CopyFiguresText(table, {1, 1, 2, table.MonthCount()});
  const pc::TPasteResult r = pc::PasteFigures(table, text, {1 + data[0] % 2, 1 + data[1] % 40, 1, rows});
  const std::string after = pc::CopyFiguresText(table, {1, 1, 2, table.MonthCount()});
  if (r.Refused && after != before) std::abort();
  if (!r.Changed && after != before) std::abort();
  for (int p = 1; p <= 2; ++p)
    for (int row = 1; row <= table.MonthCount(); ++row) {
      const pc::TShownFigure f = pc::ShownFigure(table, p, row);
      if (!(f.Figure >= 0 && f.Figure <= pc::kMaxFigure)) std::abort();
    }
  return 0;
}
