// The index-file side of the project document: the transfer between the
// index table and a storage image, the three ways of loading, the binding,
// export and the default index file.
#include <algorithm>
#include <cmath>

#include "common/cp1252.h"
#include "common/text_routines.h"
#include "indextable/month_key.h"
#include "project/index_location.h"
#include "project/picture_strings.h"
#include "project/project_data.h"

namespace pc::project {
namespace {

constexpr int kEntries = storage::TStorageFile::kMaxComponents;

TComponentValues ValuesOf(const storage::StorageComponent& entry) {
  TComponentValues v;
  v.Name = CutText(entry.Name, kMaxComponentNameLength);
  v.Percentage = std::isfinite(entry.Percentage) ? std::clamp(entry.Percentage, 0.0, 100.0) : 0.0;
  v.Variable = entry.Variable;
  v.StartRule = entry.StartRule;
  TYmd ymd;
  v.StartDate = TryDecodeDate(entry.StartDate, ymd) ? DateOf(entry.StartDate) : 0.0;
  v.TrendKind = entry.TrendKind;
  v.TrendPercentage = std::isfinite(entry.TrendPercentage) ? entry.TrendPercentage : 0.0;
  return v;
}

// A month date of a file as month key; 0 for anything outside 1981..2100.
TMonthKey MonthOfFileDate(double date) {
  TYmd ymd;
  if (!TryDecodeDate(date, ymd)) return 0;
  return MonthKeyOfYearMonth(ymd.Year, ymd.Month);
}

bool UsableFigure(double value) { return std::isfinite(value) && value > 0 && value <= kMaxFigure; }

int EntryCount(const storage::TStorageFile& image) {
  return std::min<int>(image.ComponentCount, kEntries);
}

}  // namespace

void TProjectData::UpdateIndexBinding() {
  if (IndexPath.empty())
    IndexBinding = index_binding::kNone;
  else if (!IndexFileName.empty())
    IndexBinding = OnlineIndex == 1 ? index_binding::kCentralOnline : index_binding::kCentral;
  else
    IndexBinding = SameTextIgnoringCase(IndexPath, DefaultIndexFile()) ? index_binding::kCentral
                                                                       : index_binding::kLocal;
  OnlineInfo.reset();
  if (IndexBinding == index_binding::kCentralOnline && services_ && services_->Settings)
    OnlineInfo = services_->Settings->FindDownloadedIndexInfo(IndexFileName);
}

void TProjectData::TableToImage(storage::TStorageFile& image, bool projectForm,
                                bool withPicture) const {
  image.Online = OnlineIndex;
  image.IconText.clear();
  if (withPicture && IndexPicture && !IndexPicture->Empty() &&
      IndexPicture->Width == kIndexPictureSize && IndexPicture->Height == kIndexPictureSize) {
    ClearPictureError();
    std::string text = PictureToString_ads(*IndexPicture);
    if (!PictureErrorRaised()) image.IconText = std::move(text);
  }
  if (!IndexTable) return;
  const TBDConfig& table = *IndexTable;
  image.FirstMonth = FirstDayOf(table.PeriodStart());
  image.LastMonth = FirstDayOf(table.PeriodEnd());
  int entry = 0;
  for (int position = 1; position <= table.Count() && entry < kEntries; ++position) {
    const TBDRecord& c = table.GetComponent(position);
    if (c.Name.empty()) continue;
    if (projectForm && !TakesPart(c)) continue;
    ++entry;
    storage::StorageComponent& e = image.Component(entry);
    e.Position = static_cast<std::uint8_t>(position);
    e.Name = c.Name;
    e.Percentage = c.Percentage;
    e.Variable = c.Variable;
    e.StartRule = c.StartRule;
    e.StartDate = c.StartDate;
    e.TrendKind = c.TrendKind;
    e.TrendPercentage = c.TrendPercentage;
    // Only own figures are written: carried-forward and trend figures are
    // derived again when the file is read.
    for (int m = 0; m < kMonthCount; ++m) {
      const TMonthKey key = KeyOfMonthIndex(m);
      const TIndexLookup found = table.GetIndex(key, position);
      if (found.Code == TIndexResult::Own && found.Figure != 0)
        image.AddFigure(static_cast<std::uint8_t>(entry), found.Figure, FirstDayOf(key));
    }
  }
  image.ComponentCount = static_cast<std::uint8_t>(entry);
}

void TProjectData::MatchByName(const storage::TStorageFile& image, int (&slotOfEntry)[51]) {
  for (int e = 0; e <= kEntries; ++e) slotOfEntry[e] = 0;
  for (int e = 1; e <= EntryCount(image); ++e) {
    const storage::StorageComponent& entry = image.Component(e);
    if (entry.Name.empty()) continue;
    const TComponentValues values = ValuesOf(entry);
    int slot = IndexTable->FindComponent(values.Name);
    if (slot == 0) slot = IndexTable->AddComponent(values);
    slotOfEntry[e] = slot;
  }
}

void TProjectData::LoadFigures(const storage::TStorageFile& image, const int (&slotOfEntry)[51]) {
  for (const storage::StorageFigure& f : image.Figures()) {
    if (f.Component < 1 || f.Component > kEntries) continue;
    const int slot = slotOfEntry[f.Component];
    const TMonthKey key = MonthOfFileDate(f.Month);
    if (slot == 0 || key == 0 || !UsableFigure(f.Value)) continue;
    IndexTable->SetCellValue(slot, key, f.Value);
  }
}

bool TProjectData::ImageSwitching(const storage::TStorageFile& image) {
  TBDConfig& table = *IndexTable;
  bool anyInUse = false;
  for (int position = 1; position <= table.Count(); ++position)
    anyInUse = anyInUse || TakesPart(table.GetComponent(position));
  if (!anyInUse) {
    // The slots are taken again by the file's components: amounts left from
    // the former occupants must not pass to them.
    if (Installments)
      for (int slot = 1; slot <= kMaxComponents; ++slot)
        if (!table.RecordOfSlot(slot).Name.empty()) Installments->DropComponentAmounts(slot);
    table.Clear();
  }

  std::vector<int> missingSlots;
  if (anyInUse) {
    for (int slot = 1; slot <= kMaxComponents; ++slot) {
      const TBDRecord& c = table.RecordOfSlot(slot);
      if (!c.Name.empty() && image.FindComponent(c.Name) == 0) missingSlots.push_back(slot);
    }
  }

  if (missingSlots.empty()) {
    table.ResetRanges(true);
    for (int e = 1; e <= EntryCount(image); ++e) {
      const storage::StorageComponent& entry = image.Component(e);
      if (entry.Name.empty()) continue;
      const int slot = table.FindComponent(CutText(entry.Name, kMaxComponentNameLength));
      if (slot == 0) continue;
      // Index files carry no percentages: the project's own share stays.
      TComponentValues values = ValuesOf(entry);
      values.Percentage = table.RecordOfSlot(slot).Percentage;
      table.ChangeComponent(0, values, slot);
    }
  } else {
    std::vector<std::string> fileNames;
    std::vector<int> entryOfChoice;
    for (int e = 1; e <= EntryCount(image); ++e) {
      if (image.Component(e).Name.empty()) continue;
      fileNames.push_back(CutText(image.Component(e).Name, kMaxComponentNameLength));
      entryOfChoice.push_back(e);
    }
    std::vector<TMissingComponent> missing;
    for (int slot : missingSlots)
      missing.push_back({table.RecordOfSlot(slot).Name, table.RecordOfSlot(slot).Percentage});
    std::vector<int> answers;
    const bool confirmed =
        services_ && services_->Questions &&
        services_->Questions->ChooseReplacementComponents(fileNames, missing, answers);
    if (!confirmed) return false;
    for (std::size_t i = 0; i < missingSlots.size(); ++i) {
      const int slot = missingSlots[i];
      const int answer = i < answers.size() ? answers[i] : -1;
      if (answer < 0) {
        table.DeleteComponent(0, slot);
        if (Installments) Installments->DropComponentAmounts(slot);
      } else if (static_cast<std::size_t>(answer) < fileNames.size()) {
        TComponentValues values = table.RecordOfSlot(slot);
        values.Name = fileNames[static_cast<std::size_t>(answer)];
        table.ChangeComponent(0, values, slot);
      }
    }
  }
  int slotOfEntry[51];
  MatchByName(image, slotOfEntry);
  table.ClearFigures();
  LoadFigures(image, slotOfEntry);
  return true;
}

bool TProjectData::ImageSynchronising(const storage::TStorageFile& image, bool& readOnly) {
  TBDConfig& table = *IndexTable;
  bool allPresent = true;
  for (int position = 1; position <= table.Count(); ++position)
    allPresent = allPresent && image.FindComponent(table.GetComponent(position).Name) != 0;
  int slotOfEntry[51];
  if (allPresent) {
    MatchByName(image, slotOfEntry);
    table.ClearFigures();
    LoadFigures(image, slotOfEntry);
    return true;
  }
  const bool combine = services_ && services_->Questions &&
                       services_->Questions->AskCombineIndexFile(FileNameOf(image.GetPath()));
  if (!combine) {
    readOnly = true;
    return true;
  }
  // The period becomes the union of the table's and the file's.
  const TMonthKey tableFirst = table.PeriodStart(), tableLast = table.PeriodEnd();
  const TMonthKey fileFirst = MonthOfFileDate(image.FirstMonth);
  const TMonthKey fileLast = MonthOfFileDate(image.LastMonth);
  TMonthKey first = 0, last = 0;
  if (fileFirst != 0 && fileLast != 0) {
    if (tableFirst == 0 || tableLast == 0) {
      first = fileFirst;
      last = fileLast;
    } else {
      first = std::min(tableFirst, fileFirst);
      last = std::max(tableLast, fileLast);
    }
  } else if (tableFirst != 0 && tableLast != 0) {
    first = tableFirst;
    last = tableLast;
  }
  if (first == 0 || last == 0) return true;
  table.SetPeriodStart(first);
  table.SetPeriodEnd(last);
  table.RebuildMonthList();
  MatchByName(image, slotOfEntry);
  LoadFigures(image, slotOfEntry);
  return true;
}

bool TProjectData::ImageToTable(const storage::TStorageFile& image, TLoadMode mode) {
  EnsureModels();
  TBDConfig& table = *IndexTable;
  table.ClearTrend(0);
  bool ok = true;
  bool readOnly = false;
  switch (mode) {
    case TLoadMode::Fresh: {
      table.Clear();
      const TMonthKey first = MonthOfFileDate(image.FirstMonth);
      const TMonthKey last = MonthOfFileDate(image.LastMonth);
      if (first != 0 && last != 0) {
        table.SetPeriodStart(first);
        table.SetPeriodEnd(last);
        table.RebuildMonthList();
        int slotOfEntry[51] = {};
        for (int e = 1; e <= EntryCount(image); ++e) {
          const TComponentValues values = ValuesOf(image.Component(e));
          if (values.Name.empty() || table.ComponentExists(values.Name)) continue;
          slotOfEntry[e] = table.AddComponent(values, e);
        }
        // Entries saved at scattered positions keep their order.
        table.CompactPositions();
        LoadFigures(image, slotOfEntry);
      }
      break;
    }
    case TLoadMode::Switching:
      ok = ImageSwitching(image);
      break;
    case TLoadMode::Synchronising:
      ok = ImageSynchronising(image, readOnly);
      break;
  }
  table.ResetRanges(false);
  table.RebuildMonthList();
  table.RebuildAllCarryForward();
  table.ComputeTrend(0);
  if (!ok) return false;

  OnlineIndex = image.Online;
  IndexPicture.reset();
  if (!image.IconText.empty()) {
    ClearPictureError();
    TPicture picture;
    if (StringToPicture_ads(image.IconText, picture) && !PictureErrorRaised() &&
        picture.Kind == PictureKind::Bitmap && picture.Width == kIndexPictureSize &&
        picture.Height == kIndexPictureSize)
      IndexPicture = std::make_shared<const TPicture>(std::move(picture));
  }
  IndexPath = readOnly ? std::string() : image.GetPath();
  table.SetTableKind(readOnly            ? table_kind::kWriteProtected
                     : image.Online == 1 ? table_kind::kDownloaded
                                         : table_kind::kEditable);
  return true;
}

bool TProjectData::LoadIndexFile(const std::string& path, TLoadMode mode) {
  storage::TStorageFile file(kFileVersion, storage::StorageDocKind::Index, path);
  const int code = storage::ToInt(file.Load());
  LastIndexReadCode = code;
  const std::string message = FileResultMessage(TFileOperation::Read, code, path);
  if (!message.empty()) ShowMessage(message);
  const bool ok = ImageToTable(file, mode);
  // A file that is there but could not be read whole (damaged, unreadable,
  // a project file) must never be overwritten by the part that was read:
  // the document is detached from it. A missing file stays bound, so that
  // the next save creates it.
  const bool damaged = !FileResultSucceeded(TFileOperation::Read, code) &&
                       code != storage::ToInt(storage::StorageLoadResult::FolderMissing) &&
                       code != storage::ToInt(storage::StorageLoadResult::FileMissing);
  if (ok && damaged && SameTextIgnoringCase(IndexPath, path)) IndexPath.clear();
  return ok;
}

bool TProjectData::SaveIndexFile(const std::string& path, bool empty, bool withPicture) const {
  storage::TStorageFile file(kFileVersion, storage::StorageDocKind::Index, path);
  if (!empty) TableToImage(file, false, withPicture);
  return ReportFileResult(file, TFileOperation::Write);
}

bool TProjectData::ExportIndexFile(const std::string& path, int exportKind) {
  const std::uint8_t former = OnlineIndex;
  OnlineIndex = static_cast<std::uint8_t>(exportKind == 1 ? 1 : 0);
  const bool ok = SaveIndexFile(path, false, true);
  OnlineIndex = former;
  if (ok && SameFolder(FolderOf(path), FolderOf(ProjectPath))) IndexBinding = index_binding::kLocal;
  return ok;
}

bool TProjectData::SwitchIndexFile(const std::string& path, bool force) {
  // Names on disk are UTF-8; the project keeps the name as text.
  std::string name = Utf8ToCp1252(FileNameOf(path));
  if (SameTextIgnoringCase(name, kDefaultIndexFileName)) name.clear();
  // The empty name stands for the default file; a project on a file of its
  // own has the empty name too, and may still move to the default file.
  const bool sameFile = name == IndexFileName && !(name.empty() && IndexBinding == index_binding::kLocal);
  if (!force && sameFile) return false;
  if (!LoadIndexFile(path, TLoadMode::Switching)) return false;
  IndexFileName = CutText(name, kIndexFileNameLength);
  UpdateIndexBinding();
  return true;
}

bool TProjectData::EnsureDefaultIndexFile() const {
  const std::string path = DefaultIndexFile();
  if (FileExists(path)) return true;
  const std::string folder = CentralFolder();
  if (folder.empty() || !Files().CreateDirectories(folder)) return false;
  return SaveIndexFile(path, true, false);
}

}  // namespace pc::project
