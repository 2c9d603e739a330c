#include "storage/storage_file.h"

#include <algorithm>
#include <chrono>
#include <mutex>
#include <random>

#include "storage/byte_codec.h"

namespace pc::storage {
namespace {

constexpr int kLevelDefault = 2;

std::uint8_t UpperCp1252(std::uint8_t c) {
  if (c >= 'a' && c <= 'z') return static_cast<std::uint8_t>(c - 0x20);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<std::uint8_t>(c - 0x20);
  switch (c) {
    case 0x9A: return 0x8A;  // s caron
    case 0x9C: return 0x8C;  // oe
    case 0x9E: return 0x8E;  // z caron
    case 0xFF: return 0x9F;  // y diaeresis
    default: return c;
  }
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (UpperCp1252(static_cast<std::uint8_t>(a[i])) != UpperCp1252(static_cast<std::uint8_t>(b[i])))
      return false;
  return true;
}

std::string Cut(std::string text, std::size_t bound) {
  if (text.size() > bound) text.resize(bound);
  return text;
}

std::string ByteAnd(std::uint8_t first, std::string_view rest = {}) {
  std::string s(1, static_cast<char>(first));
  s.append(rest);
  return s;
}

std::string DoubleBytes(double d) {
  std::string s;
  PutDouble(s, d);
  return s;
}

std::string WordBytes(std::uint16_t w) {
  std::string s;
  PutWord(s, w);
  return s;
}

}  // namespace

const KlKey TStorageFile::kMasterKey = {0x5A, 0xC3, 0x1E, 0x97, 0x64, 0xB8, 0x0D, 0xF2};

KlKey RandomFileKey() {
  static std::mutex mutex;
  static std::mt19937 generator(static_cast<std::mt19937::result_type>(
      std::chrono::system_clock::now().time_since_epoch().count()));
  std::lock_guard<std::mutex> lock(mutex);
  std::uniform_int_distribution<int> byte(0, 255);
  KlKey key{};
  for (auto& b : key) b = static_cast<std::uint8_t>(byte(generator));
  return key;
}

namespace {
// The native separator only: a backslash is an ordinary character of a
// file name.
std::string FolderPart(const std::string& path) {
  const auto sep = path.find_last_of('/');
  return sep == std::string::npos ? std::string() : path.substr(0, sep + 1);
}
std::string NamePart(const std::string& path) {
  const auto sep = path.find_last_of('/');
  return sep == std::string::npos ? path : path.substr(sep + 1);
}
}  // namespace

TStorageFile::TStorageFile(std::string version, StorageDocKind doc_kind, std::string path)
    : TKlFile(FolderPart(path), NamePart(path)),
      Version(std::move(version)),
      DocKind(static_cast<std::uint8_t>(doc_kind)),
      Path(std::move(path)),
      components_(kMaxComponents + 1),
      installments_(kMaxInstallments + 1) {}

StorageLoadResult TStorageFile::Load() { return LoadWith(nullptr); }

StorageLoadResult TStorageFile::LoadFromBytes(std::string_view file_bytes) {
  return LoadWith(&file_bytes);
}

StorageLoadResult TStorageFile::LoadWith(const std::string_view* bytes) {
  OnReadRecord = [this](TKlFile&, std::uint32_t, std::uint32_t, std::uint8_t kind,
                        std::uint8_t type, std::string_view, bool& stop) {
    ReadRecord(kind, type, stop);
  };
  const KlReadResult r = bytes ? TKlFile::LoadBytes(*bytes, kMasterKey) : TKlFile::Load(kMasterKey);
  // Files written before the tender date existed take the price reference date.
  if (DocKind == static_cast<std::uint8_t>(StorageDocKind::Project) && TenderDate < 1.0)
    TenderDate = PriceReferenceDate;
  if (r != KlReadResult::Ok) return static_cast<StorageLoadResult>(ToInt(r));
  return ReadKind == DocKind ? StorageLoadResult::Ok : StorageLoadResult::WrongDocumentKind;
}

KlWriteResult TStorageFile::SaveToBytes(std::string& out) {
  OnWriteRecord = [this](TKlFile&, std::uint32_t, std::uint32_t index, std::uint8_t kind,
                         std::uint8_t type, std::string& data, bool&, bool& stop) {
    WriteRecord(index, kind, type, data, stop);
  };
  const KlKey key = FileKey ? *FileKey : RandomFileKey();
  const bool index_file = DocKind == static_cast<std::uint8_t>(StorageDocKind::Index);
  return TKlFile::SaveBytes(out, index_file ? kIndexDescription : kProjectDescription, key,
                            kMasterKey, kLevelDefault);
}

KlWriteResult TStorageFile::Save(bool confirm_overwrite) {
  OnWriteRecord = [this](TKlFile&, std::uint32_t, std::uint32_t index, std::uint8_t kind,
                         std::uint8_t type, std::string& data, bool&, bool& stop) {
    WriteRecord(index, kind, type, data, stop);
  };
  if (confirm_overwrite) {
    OnConfirmOverwrite = [this](TKlFile&, bool& proceed) {
      proceed = AskOverwrite && AskOverwrite(kOverwriteQuestion);
    };
  } else {
    OnConfirmOverwrite = nullptr;
  }
  const KlKey key = FileKey ? *FileKey : RandomFileKey();
  const bool index_file = DocKind == static_cast<std::uint8_t>(StorageDocKind::Index);
  return TKlFile::Save(index_file ? kIndexDescription : kProjectDescription, key, kMasterKey,
                       kLevelDefault);
}

int TStorageFile::FindComponent(std::string_view name) const {
  for (int i = 1; i <= ComponentCount && i <= kMaxComponents; ++i)
    if (EqualIgnoringCase(components_[static_cast<std::size_t>(i)].Name, name)) return i;
  return 0;
}

void TStorageFile::AddFigure(std::uint8_t component, double value, double month) {
  if (figures_.size() >= kMaxFigures) {
    ++FiguresDropped;
    return;
  }
  figures_.push_back(StorageFigure{component, month, value});
}

// Every value is checked against the record's length: a record too short
// for its layout, or for an entry outside the image, is ignored.
void TStorageFile::ReadRecord(std::uint8_t kind, std::uint8_t type, bool& stop) {
  const std::size_t size = RecordData.size();
  auto has = [&](std::size_t n) { return size >= n; };
  // component entry records: index byte at 1, value from 2
  const std::uint8_t ci = GetByte(1);
  StorageComponent* comp =
      (ci >= 1 && ci <= kMaxComponents) ? &components_[ci] : nullptr;
  // installment entry records: index word at 1, value from 3
  const std::uint16_t ni = GetWord(1);
  StorageInstallment* inst =
      (has(2) && ni >= 1 && ni <= kMaxInstallments) ? &installments_[ni] : nullptr;

  switch (kind) {
    case 1:
      if (type == 0) Version = GetTail(1);
      if (type == 1) {
        ReadKind = GetByte(1);
        if (ReadKind != DocKind) stop = true;
      }
      return;
    case 2:
      switch (type) {
        case 0: if (has(8)) FirstMonth = GetDouble(1); return;
        case 1: if (has(8)) LastMonth = GetDouble(1); return;
        case 2:
          if (comp) {
            comp->Name = Cut(GetTail(2), kComponentNameMax);
            ComponentCount = std::max(ComponentCount, ci);
          }
          return;
        case 3: if (comp && has(2)) comp->Position = GetByte(2); return;
        case 4: if (comp && has(17)) AddFigure(ci, GetDouble(10), GetDouble(2)); return;
        case 5: if (comp && has(2)) comp->Variable = GetBool(2); return;
        case 6: if (comp && has(3)) comp->StartRule = static_cast<std::uint8_t>(GetWord(2) & 0xFF); return;
        case 7: if (comp && has(9)) comp->StartDate = GetDouble(2); return;
        case 8: if (has(1)) Online = GetByte(1); return;
        case 9: if (comp && has(2)) comp->TrendKind = GetByte(2); return;
        case 10: if (comp && has(9)) comp->TrendPercentage = GetDouble(2); return;
        case 11:
          if (DocKind == static_cast<std::uint8_t>(StorageDocKind::Index)) IconText = GetTail(1);
          return;
        default: return;
      }
    case 3:
      switch (type) {
        case 0: ProjectName = Cut(GetTail(1), kProjectTextMax); return;
        case 1: Client = Cut(GetTail(1), kProjectTextMax); return;
        case 2: Contractor = Cut(GetTail(1), kProjectTextMax); return;
        case 3: if (has(8)) PriceReferenceDate = GetDouble(1); return;
        case 4: if (has(8)) StartOfWorks = GetDouble(1); return;
        case 6: LogoText = GetTail(1); return;
        case 9: IndexFileName = Cut(GetTail(1), kIndexFileNameMax); return;
        case 10: if (has(2)) CalcMethod = GetWord(1); return;
        case 11: if (has(8)) TenderDate = GetDouble(1); return;
        case 12: if (has(1)) Concept = GetBool(1); return;
        default: return;
      }
    case 4:
      switch (type) {
        case 0: if (comp && has(9)) comp->Percentage = GetDouble(2); return;
        case 1:
          if (inst) {
            inst->Name = Cut(GetTail(3), kComponentNameMax);
            InstallmentCount = std::max(InstallmentCount, ni);
          }
          return;
        case 2: if (inst && has(10)) inst->EndDate = GetDouble(3); return;
        case 3: if (inst && has(10)) inst->Amount = GetDouble(3); return;
        case 4: {
          if (!inst || !has(4)) return;
          const std::uint16_t m = GetWord(3);
          if (m > inst->ComponentAmounts.size() || size < 4 + 8 * static_cast<std::size_t>(m)) return;
          for (std::uint16_t k = 0; k < m; ++k)
            inst->ComponentAmounts[k] = GetDouble(5 + 8 * static_cast<std::size_t>(k));
          return;
        }
        default: return;
      }
    default:
      return;  // records of later versions
  }
}

void TStorageFile::WriteRecord(std::uint32_t index, std::uint8_t kind, std::uint8_t type,
                               std::string& data, bool& stop) {
  const bool index_file = DocKind == static_cast<std::uint8_t>(StorageDocKind::Index);
  const bool project_file = DocKind == static_cast<std::uint8_t>(StorageDocKind::Project);
  stop = true;
  // Entries are enumerated from 1 and end at the first free one.
  auto component_record = [&](auto&& make) {
    if (index > static_cast<std::uint32_t>(kMaxComponents)) return;
    const StorageComponent& c = components_[index];
    if (c.Name.empty()) return;
    data = make(static_cast<std::uint8_t>(index), c);
    stop = false;
  };
  auto installment_record = [&](auto&& make) {
    if (index > static_cast<std::uint32_t>(kMaxInstallments)) return;
    const StorageInstallment& t = installments_[index];
    if (t.Name.empty()) return;
    data = WordBytes(static_cast<std::uint16_t>(index)) + make(t);
    stop = false;
  };

  switch (kind) {
    case 1:
      if (type == 0) data = Version;
      if (type == 1) data = ByteAnd(DocKind);
      return;
    case 2:
      switch (type) {
        case 0: data = DoubleBytes(FirstMonth); return;
        case 1: data = DoubleBytes(LastMonth); return;
        case 2: component_record([](std::uint8_t i, const StorageComponent& c) { return ByteAnd(i, c.Name); }); return;
        case 3: component_record([](std::uint8_t i, const StorageComponent& c) { return ByteAnd(i, ByteAnd(c.Position)); }); return;
        case 4:
          if (index >= 1 && index <= figures_.size()) {
            const StorageFigure& f = figures_[index - 1];
            data = ByteAnd(f.Component, DoubleBytes(f.Month) + DoubleBytes(f.Value));
            stop = index == figures_.size();
          }
          return;
        case 5: component_record([](std::uint8_t i, const StorageComponent& c) { return ByteAnd(i, ByteAnd(c.Variable ? 1 : 0)); }); return;
        case 6: component_record([](std::uint8_t i, const StorageComponent& c) { return ByteAnd(i, WordBytes(c.StartRule)); }); return;
        case 7: component_record([](std::uint8_t i, const StorageComponent& c) { return ByteAnd(i, DoubleBytes(c.StartDate)); }); return;
        case 8: if (index_file) data = ByteAnd(Online); return;
        case 9: component_record([](std::uint8_t i, const StorageComponent& c) { return ByteAnd(i, ByteAnd(c.TrendKind)); }); return;
        case 10: component_record([](std::uint8_t i, const StorageComponent& c) { return ByteAnd(i, DoubleBytes(c.TrendPercentage)); }); return;
        case 11: if (index_file) data = IconText; return;
        default: return;
      }
    case 3:
      if (!project_file) return;
      switch (type) {
        case 0: data = ProjectName; return;
        case 1: data = Client; return;
        case 2: data = Contractor; return;
        case 3: data = DoubleBytes(PriceReferenceDate); return;
        case 4: data = DoubleBytes(StartOfWorks); return;
        case 6: data = LogoText; return;
        case 9: data = IndexFileName; return;
        case 10: data = WordBytes(CalcMethod); return;
        case 11: data = DoubleBytes(TenderDate); return;
        case 12: data = ByteAnd(Concept ? 1 : 0); return;
        default: return;
      }
    case 4:
      if (!project_file) return;
      switch (type) {
        case 0: component_record([](std::uint8_t i, const StorageComponent& c) { return ByteAnd(i, DoubleBytes(c.Percentage) + c.Name); }); return;
        case 1: installment_record([](const StorageInstallment& t) { return t.Name; }); return;
        case 2: installment_record([](const StorageInstallment& t) { return DoubleBytes(t.EndDate); }); return;
        case 3: installment_record([](const StorageInstallment& t) { return DoubleBytes(t.Amount); }); return;
        case 4:
          installment_record([](const StorageInstallment& t) {
            std::string s = WordBytes(static_cast<std::uint16_t>(t.ComponentAmounts.size()));
            for (double a : t.ComponentAmounts) PutDouble(s, a);
            return s;
          });
          return;
        default: return;
      }
    default:
      return;
  }
}

}  // namespace pc::storage
