#pragma once
// TStorageFile: the storage image of one project (.kvp) or index (.kvi)
// document and its record catalogue on top of the record container.
//
// Use: construct with version text, document kind and path; either fill
// the image fields and call Save(), or call Load() and take the values out
// of the fields. One object serves one load or one save.
//
// Catalogue (kind, type: value). i = component entry 1..50 (one byte),
// n = installment entry 1..999 (word), all numbers little-endian:
//   1,0 Version text            1,1 document kind byte
//   2,0 FirstMonth date         2,1 LastMonth date
//   2,2 i+Name  2,3 i+Position  2,4 i+month date+figure double
//   2,5 i+Variable  2,6 i+StartRule(word)  2,7 i+StartDate  2,8 Online (index files)
//   2,9 i+TrendKind  2,10 i+TrendPercentage  2,11 IconText (index files, when set)
//   3,0 ProjectName 3,1 Client 3,2 Contractor (when set)  3,3 PriceReferenceDate
//   3,4 StartOfWorks 3,6 LogoText (when set) 3,9 IndexFileName (when set)
//   3,10 CalcMethod word 3,11 TenderDate 3,12 Concept bool
//   4,0 i+Percentage+name  4,1 n+Name  4,2 n+EndDate  4,3 n+Amount
//   4,4 n+word m+m doubles of ComponentAmounts (written with m = 50)
// Kinds 3 and 4 are project files only. Unknown records are skipped when
// read; records whose entry index lies outside its range, or that are too
// short for their value, are ignored.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/kl_file.h"

namespace pc::storage {

enum class StorageDocKind : std::uint8_t { Index = 1, Project = 2 };

// Load results: the container's read codes, plus 95 for a valid file of
// the other document kind (or one without document header).
enum class StorageLoadResult : int {
  Ok = 0,
  NoReadHandler = 1,
  FolderMissing = 2,
  FileMissing = 3,
  OpenFailed = 4,
  ReadFailed = 5,
  RecordChecksum = 6,
  FileChecksum = 7,
  UnexpectedEnd = 8,
  CorruptData = 9,
  WrongDocumentKind = 95,
};
constexpr int ToInt(StorageLoadResult r) { return static_cast<int>(r); }

struct StorageComponent {
  std::uint8_t Position = 0;  // display position when saved; 0 when the file had none
  std::string Name;           // at most 25 characters; empty = free entry
  double Percentage = 0;
  bool Variable = false;
  std::uint8_t StartRule = 0;
  double StartDate = 0;
  std::uint8_t TrendKind = 0;
  double TrendPercentage = 0;
};

struct StorageFigure {
  std::uint8_t Component = 0;  // entry index 1..50
  double Month = 0;            // first day of the month (date)
  double Value = 0;
};

struct StorageInstallment {
  std::string Name;  // at most 25 characters; empty = free entry
  double EndDate = 0;
  double Amount = 0;
  std::array<double, 50> ComponentAmounts{};  // element k-1 belongs to display position k
};

class TStorageFile : public TKlFile {
 public:
  static constexpr int kMaxComponents = 50;
  static constexpr int kMaxInstallments = 999;
  static constexpr std::size_t kComponentNameMax = 25;
  static constexpr std::size_t kProjectTextMax = 50;
  static constexpr std::size_t kIndexFileNameMax = 64;
  // Figures beyond this many in one file are not kept (a full table has
  // 50 x 1440); FiguresDropped counts them.
  static constexpr std::size_t kMaxFigures = 1'000'000;
  static const KlKey kMasterKey;  // 5A C3 1E 97 64 B8 0D F2
  static constexpr char kOverwriteQuestion[] =
      "Dit bestand bestaat reeds. Wilt u het overschrijven?";
  static constexpr char kIndexDescription[] = " - PrijsCorrectum Indices";
  static constexpr char kProjectDescription[] = " - PrijsCorrectum Project";

  // The folder is everything up to and including the last '\' or '/' of
  // the path, the file name the rest (no separator: the current folder).
  TStorageFile(std::string version, StorageDocKind doc_kind, std::string path);

  StorageLoadResult Load();
  // Writes the image, compressed and scrambled with a fresh per-file key.
  // With confirm_overwrite and an existing file, AskOverwrite is asked
  // kOverwriteQuestion; only true proceeds (no AskOverwrite: declined).
  KlWriteResult Save(bool confirm_overwrite = false);

  // The same load and save over bytes in memory instead of the file at
  // Path (no folder, no overwrite question); SaveToBytes leaves `out`
  // unchanged on failure.
  StorageLoadResult LoadFromBytes(std::string_view file_bytes);
  KlWriteResult SaveToBytes(std::string& out);

  // Entry index (1..ComponentCount) whose name equals `name` ignoring case
  // (Windows-1252 letters); 0 when none.
  int FindComponent(std::string_view name) const;
  void AddFigure(std::uint8_t component, double value, double month);
  // Requires list_index < FigureCount().
  const StorageFigure& GetFigure(std::size_t list_index) const { return figures_[list_index]; }
  std::size_t FigureCount() const { return figures_.size(); }
  const std::vector<StorageFigure>& Figures() const { return figures_; }
  const std::string& GetPath() const { return Path; }

  // Entries 1..50 and 1..999; element 0 is unused.
  StorageComponent& Component(int i) { return components_.at(static_cast<std::size_t>(i)); }
  const StorageComponent& Component(int i) const { return components_.at(static_cast<std::size_t>(i)); }
  StorageInstallment& Installment(int n) { return installments_.at(static_cast<std::size_t>(n)); }
  const StorageInstallment& Installment(int n) const { return installments_.at(static_cast<std::size_t>(n)); }

  // ---- the image ----
  std::string Version;
  std::uint8_t DocKind;
  std::uint8_t ReadKind = 0;  // kind found in the file; 0 before reading
  std::string Path;
  double FirstMonth = 0, LastMonth = 0;
  std::uint8_t Online = 0;   // index files
  std::string IconText;      // index files: picture text of the 16 x 16 picture
  std::uint8_t ComponentCount = 0;  // highest component entry seen (0..50)
  std::string ProjectName, Client, Contractor;  // project files, at most 50 characters
  double PriceReferenceDate = 0, TenderDate = 0, StartOfWorks = 0;
  std::string LogoText;       // project files: picture text of the print logo
  std::uint16_t CalcMethod = 0;  // 0 official, 1 simplified
  std::string IndexFileName;  // at most 64 characters; empty = default index file
  bool Concept = false;
  std::uint16_t InstallmentCount = 0;  // highest installment entry seen
  std::size_t FiguresDropped = 0;

  // Asked before an existing file is replaced when Save(true) is used.
  std::function<bool(std::string_view question)> AskOverwrite;
  // The per-file key for the next Save; a fresh random one when unset.
  std::optional<KlKey> FileKey;

 private:
  StorageLoadResult LoadWith(const std::string_view* bytes);
  void ReadRecord(std::uint8_t kind, std::uint8_t type, bool& stop);
  void WriteRecord(std::uint32_t index, std::uint8_t kind, std::uint8_t type, std::string& data,
                   bool& stop);

  std::vector<StorageComponent> components_;
  std::vector<StorageInstallment> installments_;
  std::vector<StorageFigure> figures_;
};

// A fresh per-file key from the program's pseudo-random generator.
KlKey RandomFileKey();

}  // namespace pc::storage
