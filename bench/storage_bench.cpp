// Writing and reading the storage image of a full project (50 components
// with 1440 figures each, 999 installments), against zlib's one-shot
// compress2/uncompress of the same plain record bytes as the baseline.
// Compare BM_SaveFullProject with BM_Baseline_compress2 and
// BM_LoadFullProject with BM_Baseline_uncompress.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <string>

#include "storage/kl_file.h"
#include "storage/storage_file.h"

namespace {

using pc::storage::KlKey;
using pc::storage::StorageDocKind;
using pc::storage::TStorageFile;

void FillFullProject(TStorageFile& s) {
  s.FirstMonth = 29587;
  s.LastMonth = 73385;
  s.ComponentCount = 50;
  for (int i = 1; i <= 50; ++i) {
    auto& c = s.Component(i);
    c.Name = "Bestanddeel nummer " + std::to_string(i);
    c.Position = static_cast<std::uint8_t>(i);
    c.Percentage = 2;
    for (int m = 0; m < 1440; ++m)
      s.AddFigure(static_cast<std::uint8_t>(i), 100.0 + ((i * 7 + m * 13) % 5000) / 100.0,
                  29587 + 30.436875 * m);
  }
  s.ProjectName = "Volledig project";
  s.PriceReferenceDate = 39083;
  s.TenderDate = 39083;
  s.StartOfWorks = 39083;
  s.InstallmentCount = 999;
  for (int n = 1; n <= 999; ++n) {
    auto& t = s.Installment(n);
    t.Name = "Termijn " + std::to_string(n);
    t.EndDate = 39083 + n * 30;
    t.Amount = 12345.67 + n;
    for (int k = 0; k < 50; ++k) t.ComponentAmounts[static_cast<std::size_t>(k)] = t.Amount / 50 + k;
  }
}

const KlKey kFileKey{1, 2, 3, 4, 5, 6, 7, 8};

struct Fixture {
  std::string file;   // the storage file bytes
  std::string plain;  // the same records, plain
  Fixture() {
    TStorageFile s("2007.07 Beta", StorageDocKind::Project, "bench.kvp");
    FillFullProject(s);
    s.FileKey = kFileKey;
    s.SaveToBytes(file);
    // The plain record section, recovered from the file.
    plain = Decompressed(file);
  }
  // Undo the scrambling and inflate the section of `f`.
  static std::string Decompressed(const std::string& f) {
    const std::size_t start = f.find('\x01', std::string(":KelvarionSPE(tm) - PrijsCorrectum Project").size() + 5 + 8) + 1;
    std::string section;
    for (std::size_t j = 0; start + j < f.size(); ++j)
      section.push_back(static_cast<char>(f[start + j] ^ kFileKey[j % 8] ^ TStorageFile::kMasterKey[j % 8]));
    std::string out(64 << 20, '\0');
    uLongf len = static_cast<uLongf>(out.size());
    uncompress(reinterpret_cast<Bytef*>(out.data()), &len, reinterpret_cast<const Bytef*>(section.data()),
               static_cast<uLong>(section.size()));
    out.resize(len);
    return out;
  }
};

const Fixture& Data() {
  static const Fixture f;
  return f;
}

void BM_SaveFullProject(benchmark::State& state) {
  TStorageFile s("2007.07 Beta", StorageDocKind::Project, "bench.kvp");
  FillFullProject(s);
  s.FileKey = kFileKey;
  std::string out;
  for (auto _ : state) {
    s.SaveToBytes(out);
    benchmark::DoNotOptimize(out.data());
  }
  state.counters["file_bytes"] = static_cast<double>(out.size());
  state.counters["plain_bytes"] = static_cast<double>(Data().plain.size());
}
BENCHMARK(BM_SaveFullProject)->Unit(benchmark::kMillisecond);

void BM_Baseline_compress2(benchmark::State& state) {
  const std::string& plain = Data().plain;
  std::string out(compressBound(static_cast<uLong>(plain.size())), '\0');
  uLongf len = 0;
  for (auto _ : state) {
    len = static_cast<uLongf>(out.size());
    compress2(reinterpret_cast<Bytef*>(out.data()), &len, reinterpret_cast<const Bytef*>(plain.data()),
              static_cast<uLong>(plain.size()), Z_DEFAULT_COMPRESSION);
    benchmark::DoNotOptimize(out.data());
  }
  state.counters["packed_bytes"] = static_cast<double>(len);
}
BENCHMARK(BM_Baseline_compress2)->Unit(benchmark::kMillisecond);

void BM_LoadFullProject(benchmark::State& state) {
  const std::string& file = Data().file;
  for (auto _ : state) {
    TStorageFile s("", StorageDocKind::Project, "bench.kvp");
    if (s.LoadFromBytes(file) != pc::storage::StorageLoadResult::Ok) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(s.FigureCount());
  }
}
BENCHMARK(BM_LoadFullProject)->Unit(benchmark::kMillisecond);

void BM_Baseline_uncompress(benchmark::State& state) {
  const std::string& plain = Data().plain;
  std::string packed(compressBound(static_cast<uLong>(plain.size())), '\0');
  uLongf plen = static_cast<uLongf>(packed.size());
  compress2(reinterpret_cast<Bytef*>(packed.data()), &plen, reinterpret_cast<const Bytef*>(plain.data()),
            static_cast<uLong>(plain.size()), Z_DEFAULT_COMPRESSION);
  std::string out(plain.size(), '\0');
  for (auto _ : state) {
    uLongf len = static_cast<uLongf>(out.size());
    uncompress(reinterpret_cast<Bytef*>(out.data()), &len, reinterpret_cast<const Bytef*>(packed.data()), plen);
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_Baseline_uncompress)->Unit(benchmark::kMillisecond);

}  // namespace
