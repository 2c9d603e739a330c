// Arbitrary runs of index table operations with arbitrary arguments never
// break the table: look-ups stay inside the figure range and a copy taken
// halfway never changes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "indextable/bd_config.h"

namespace {

struct Reader {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t pos = 0;
  std::uint8_t Byte() { return pos < size ? data[pos++] : 0; }
  std::uint16_t Word() { return static_cast<std::uint16_t>(Byte() << 8 | Byte()); }
  double Value() {
    std::uint64_t bits = 0;
    for (int i = 0; i < 8; ++i) bits = bits << 8 | Byte();
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
  }
  bool Done() const { return pos >= size; }
};

std::vector<double> Snapshot(const pc::TBDConfig& t) {
  std::vector<double> all;
  for (int p = 1; p <= t.Count(); ++p) {
    for (int i = 0; i < pc::kMonthCount; i += 7) all.push_back(t.GetIndex(pc::KeyOfMonthIndex(i), p).Figure);
  }
  return all;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Reader in{data, size};
  pc::TBDConfig t(nullptr, 2010);
  pc::TBDConfig copy;
  std::vector<double> copySnapshot;
  for (int step = 0; step < 200 && !in.Done(); ++step) {
    const int a = static_cast<std::int8_t>(in.Byte());
    switch (in.Byte() % 16) {
      case 0: {
        pc::TComponentValues v;
        v.Name = "C" + std::to_string(in.Byte());
        v.Percentage = in.Byte();
        v.TrendKind = in.Byte() % 4;
        v.TrendPercentage = static_cast<std::int8_t>(in.Byte());
        t.AddComponent(v, in.Byte() % 60, in.Byte() % 60);
        break;
      }
      case 1: t.DeleteComponent(a, in.Byte() % 60); break;
      case 2: t.SetFigure(a, in.Word() % 1500, in.Byte() & 1, in.Value()); break;
      case 3: t.SetFigure(a, in.Word() % 60, false, in.Word() / 10.0); break;
      case 4: t.SetCellValue(a, in.Word(), in.Word() / 100.0); break;
      case 5: t.SetPeriodStart(in.Word()); break;
      case 6: t.SetPeriodEnd(in.Word()); break;
      case 7: t.RebuildMonthList(); break;
      case 8: t.ResetRanges(in.Byte() & 1); break;
      case 9: t.RebuildAllCarryForward(); break;
      case 10: t.ComputeTrend(a); break;
      case 11: t.ClearTrend(a); break;
      case 12: t.MoveComponent(a, static_cast<std::int8_t>(in.Byte())); break;
      case 13: {
        pc::TComponentValues v;
        v.Name = "C" + std::to_string(in.Byte());
        v.TrendKind = in.Byte() % 4;
        v.TrendPercentage = in.Value();
        t.ChangeComponent(a, v, in.Byte() % 60);
        break;
      }
      case 14: copy = t; copySnapshot = Snapshot(copy); break;
      case 15: (void)t.CountFiguresOutside(in.Word(), in.Word()); t.CompactPositions(); break;
    }
  }
  for (int p = 0; p <= 51; ++p) {
    for (int i = 0; i < pc::kMonthCount; i += 5) {
      const double f = t.GetIndex(pc::KeyOfMonthIndex(i), p).Figure;
      if (!(f >= 0 && f <= pc::kMaxFigure)) std::abort();
    }
  }
  if (Snapshot(copy) != copySnapshot) std::abort();
  if (t.Count() < 0 || t.Count() > 50) std::abort();
  return 0;
}
