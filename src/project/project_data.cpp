// The project document: properties, models, project files. The index-file
// side of the document is in index_persistence.cpp.
#include "project/project_data.h"

#include <cmath>
#include <fstream>
#include <iterator>

#include "common/text_routines.h"
#include "indextable/month_key.h"
#include "project/index_location.h"
#include "project/picture_crop.h"
#include "project/picture_strings.h"

namespace pc::project {
namespace {

// A date as read from a file: kept when it is a finite day count of the
// years 1..9999, else 0, so that no later conversion meets a wild value.
TDateTime SaneDate(double date) {
  TYmd ymd;
  return TryDecodeDate(date, ymd) ? date : 0.0;
}

double SaneNumber(double value) { return std::isfinite(value) ? value : 0.0; }

// The print logo is cut to this size, keeping its top-left part.
constexpr int kLogoMaxWidth = 200;
constexpr int kLogoMaxHeight = 110;

}  // namespace

TProjectData::TProjectData(const TProjectServices* services) : services_(services) {}

TProjectData::~TProjectData() = default;

storage::FileSystem& TProjectData::Files() const {
  return services_ && services_->Files ? *services_->Files : storage::DiskFileSystem();
}

bool TProjectData::FileExists(const std::string& path) const {
  return !path.empty() && Files().FileExists(path);
}

void TProjectData::ShowMessage(const std::string& text) const {
  if (services_ && services_->Messages) services_->Messages->ShowMessage(text);
}

std::string TProjectData::CentralFolder() const {
  return services_ && services_->Settings ? services_->Settings->centralPath : std::string();
}

std::string TProjectData::DefaultIndexFile() const {
  return CentralFolder() + kDefaultIndexFileName;
}

void TProjectData::Clear() {
  Modified = false;
  IndexTable.reset();
  Installments.reset();
  Logo.reset();
  HasLogo = false;
  Ui = {};
  IndexPath.clear();
  ProjectPath.clear();
  OnlineInfo.reset();
  Concept = false;
  PriceReferenceDate = TenderDate = StartOfWorks = 0;
  IndexFileName.clear();
  OnlineIndex = 0;
  IndexPicture.reset();
  ProjectName.clear();
  Client.clear();
  Contractor.clear();
  CalcMethod = 0;
  LastIndexReadCode = 0;
  UpdateIndexBinding();
}

void TProjectData::EnsureModels() {
  if (!IndexTable)
    IndexTable = std::make_unique<TBDConfig>(services_ ? services_->IndexGrid : nullptr);
  if (!Installments)
    Installments = std::make_unique<TTermijnConfig>(IndexTable.get());
  else
    Installments->SetIndexTable(IndexTable.get());
}

void TProjectData::CopyFrom(const TProjectData& other) {
  if (this == &other) return;
  if (other.IndexTable || other.Installments) EnsureModels();
  if (other.IndexTable)
    IndexTable->CopyFrom(*other.IndexTable);
  else
    IndexTable.reset();
  if (other.Installments) {
    Installments->CopyFrom(*other.Installments);
    Installments->SetIndexTable(IndexTable.get());
  } else {
    Installments.reset();
  }
  Modified = other.Modified;
  Logo = other.Logo;
  HasLogo = other.HasLogo;
  Ui = other.Ui;
  IndexPath = other.IndexPath;
  ProjectPath = other.ProjectPath;
  IndexBinding = other.IndexBinding;
  Concept = other.Concept;
  PriceReferenceDate = other.PriceReferenceDate;
  TenderDate = other.TenderDate;
  StartOfWorks = other.StartOfWorks;
  IndexFileName = other.IndexFileName;
  OnlineIndex = other.OnlineIndex;
  IndexPicture = other.IndexPicture;
  ProjectName = other.ProjectName;
  Client = other.Client;
  Contractor = other.Contractor;
  CalcMethod = other.CalcMethod;
  OnlineInfo = other.OnlineInfo;
  LastIndexReadCode = other.LastIndexReadCode;
}

void TProjectData::InitNew() {
  Clear();
  EnsureModels();
  LoadIndexFile(DefaultIndexFile(), TLoadMode::Fresh);
  ProjectPath.clear();
  IndexFileName.clear();
  ProjectName = kNewProjectName;
  const TDateTime today =
      DateOf(services_ && services_->Today ? services_->Today() : TodayLocal());
  PriceReferenceDate = TenderDate = StartOfWorks = today;
  CalcMethod = 0;
  OnlineIndex = 0;
  IndexPicture.reset();
  Installments->Clear();
  Installments->SetSimplified(0);
  Installments->SetProjectDates(PriceReferenceDate, TenderDate, StartOfWorks);
  UpdateIndexBinding();
}

bool TProjectData::ReportFileResult(storage::TStorageFile& file, TFileOperation operation) const {
  file.Fs = &Files();
  const int code = operation == TFileOperation::Read ? storage::ToInt(file.Load())
                                                     : storage::ToInt(file.Save(false));
  const std::string message = FileResultMessage(operation, code, file.GetPath());
  if (!message.empty()) ShowMessage(message);
  return FileResultSucceeded(operation, code);
}

bool TProjectData::LoadProjectFile(const std::string& path) {
  EnsureModels();
  storage::TStorageFile file(kFileVersion, storage::StorageDocKind::Project, path);
  const bool ok = ReportFileResult(file, TFileOperation::Read);

  ProjectPath = path;
  IndexFileName = CutText(file.IndexFileName, kIndexFileNameLength);
  ProjectName = CutText(file.ProjectName, kProjectTextLength);
  Client = CutText(file.Client, kProjectTextLength);
  Contractor = CutText(file.Contractor, kProjectTextLength);
  PriceReferenceDate = SaneDate(file.PriceReferenceDate);
  TenderDate = SaneDate(file.TenderDate);
  StartOfWorks = SaneDate(file.StartOfWorks);
  CalcMethod = file.CalcMethod;
  Concept = file.Concept;
  Installments->SetSimplified(CalcMethod == 1 ? 1 : 0);

  Logo.reset();
  HasLogo = false;
  if (!file.LogoText.empty()) {
    ClearPictureError();
    TPicture picture;
    if (StringToPicture_ads(file.LogoText, picture) && !PictureErrorRaised() && !picture.Empty()) {
      Logo = std::make_shared<const TPicture>(std::move(picture));
      HasLogo = true;
    }
  }

  ImageToTable(file, TLoadMode::Fresh);

  // The saved amounts are in display order at the time of saving; each
  // component entry says which display position it had.
  Installments->Clear();
  Installments->SetIndexTable(IndexTable.get());
  Installments->SetProjectDates(PriceReferenceDate, TenderDate, StartOfWorks);
  const int entries = std::min<int>(file.ComponentCount, storage::TStorageFile::kMaxComponents);
  const int count = std::min<int>(file.InstallmentCount, storage::TStorageFile::kMaxInstallments);
  for (int n = 1; n <= count; ++n) {
    const storage::StorageInstallment& entry = file.Installment(n);
    if (entry.Name.empty()) continue;
    TComponentAmounts amounts{};
    for (int e = 1; e <= entries; ++e) {
      const std::string& name = file.Component(e).Name;
      if (name.empty()) continue;
      const int slot = IndexTable->FindComponent(CutText(name, kMaxComponentNameLength));
      if (slot == 0) continue;
      const int position = file.Component(e).Position != 0 ? file.Component(e).Position : e;
      if (position < 1 || position > storage::TStorageFile::kMaxComponents) continue;
      amounts[static_cast<std::size_t>(slot)] =
          SaneNumber(entry.ComponentAmounts[static_cast<std::size_t>(position - 1)]);
    }
    // Installments the set refuses (a date before the start of the works, a
    // day already used, values that are no numbers) are left out.
    Installments->InsertInstallment(entry.Name, amounts, 0, entry.Amount, entry.EndDate);
  }
  return ok;
}

bool TProjectData::OpenProjectFile(const std::string& path) {
  EnsureModels();
  return LoadProjectFile(path);
}

bool TProjectData::SaveProjectFile(const std::string& path) const {
  storage::TStorageFile file(kFileVersion, storage::StorageDocKind::Project, path);
  file.ProjectName = CutText(ProjectName, kProjectTextLength);
  file.Client = CutText(Client, kProjectTextLength);
  file.Contractor = CutText(Contractor, kProjectTextLength);
  file.PriceReferenceDate = PriceReferenceDate;
  file.TenderDate = TenderDate;
  file.StartOfWorks = StartOfWorks;
  file.IndexFileName = CutText(IndexFileName, kIndexFileNameLength);
  file.CalcMethod = CalcMethod;
  file.Concept = Concept;
  if (HasLogo && Logo && !Logo->Empty()) {
    ClearPictureError();
    std::string text = PictureToString_ads(*Logo);
    if (!PictureErrorRaised()) file.LogoText = std::move(text);
  }
  TableToImage(file, true, false);
  if (Installments) {
    const int count = std::min(Installments->Count(), storage::TStorageFile::kMaxInstallments);
    for (int slot = 1; slot <= count; ++slot) {
      TInstallmentData data;
      if (!Installments->GetInstallment(slot, true, data)) continue;
      storage::StorageInstallment& entry = file.Installment(slot);
      entry.Name = data.Name;
      entry.EndDate = data.EndDate;
      entry.Amount = data.Amount;
      for (int k = 1; k <= storage::TStorageFile::kMaxComponents; ++k)
        entry.ComponentAmounts[static_cast<std::size_t>(k - 1)] =
            data.ComponentAmounts[static_cast<std::size_t>(k)];
    }
    file.InstallmentCount = static_cast<std::uint16_t>(count);
  }
  return ReportFileResult(file, TFileOperation::Write);
}

bool TProjectData::Open(const std::string& projectPath, const std::string& indexPath) {
  EnsureModels();
  if (!LoadProjectFile(projectPath)) return false;
  if (indexPath.empty() && !IndexFileName.empty() && !IsPlainIndexFileName(IndexFileName)) {
    // A stored name with a folder part points outside the central index
    // folder: such a file is not looked for, as if it was not found, and
    // the project keeps its own index data, write-protected and bound to
    // no file.
    LastIndexReadCode = storage::ToInt(storage::StorageLoadResult::FileMissing);
    ShowMessage(FileResultMessage(TFileOperation::Read, LastIndexReadCode, IndexFileName));
    IndexPath.clear();
    IndexTable->SetTableKind(table_kind::kWriteProtected);
    UpdateIndexBinding();
    return true;
  }
  const std::string chosen =
      ChooseIndexFile(projectPath, indexPath, IndexFileName, CentralFolder(),
                      [this](const std::string& path) { return FileExists(path); });
  bool ok = true;
  if (!chosen.empty()) ok = LoadIndexFile(chosen, TLoadMode::Synchronising);
  UpdateIndexBinding();
  return ok;
}

bool TProjectData::SaveAll(const std::string& path) {
  bool ok = SaveProjectFile(path);
  // The index picture goes back with the table, so that saving a project
  // never strips the picture from the index file it is bound to.
  if (ok && (IndexBinding == index_binding::kCentral || IndexBinding == index_binding::kLocal) &&
      !IndexPath.empty())
    ok = SaveIndexFile(IndexPath, false, true);
  if (ok) {
    ProjectPath = path;
    Modified = false;
  }
  return ok;
}

bool TProjectData::SetProperties(const std::string& projectName, const std::string& client,
                                 TDateTime startOfWorks, TDateTime priceReferenceDate,
                                 const std::string& contractor) {
  ProjectName = CutText(projectName, kProjectTextLength);
  Client = CutText(client, kProjectTextLength);
  Contractor = CutText(contractor, kProjectTextLength);
  StartOfWorks = startOfWorks;
  PriceReferenceDate = priceReferenceDate;
  return DateOf(startOfWorks) >= DateOf(priceReferenceDate);
}

bool TProjectData::LoadLogo(const std::string& path) {
  Logo.reset();
  HasLogo = false;
  const auto kind = PictureKindFromExtension(SplitPath(path).Extension);
  if (!kind) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return false;
  TPicture picture;
  if (!PictureFromFileBytes(*kind, std::move(bytes), picture) || picture.Empty()) return false;
  std::optional<TPicture> cut = CropPicture(picture, kLogoMaxWidth, kLogoMaxHeight);
  if (!cut || cut->Empty()) return false;
  Logo = std::make_shared<const TPicture>(std::move(*cut));
  HasLogo = true;
  return true;
}

void TProjectData::ClearLogo() {
  Logo.reset();
  HasLogo = false;
}

void TProjectData::SetCalcMethod(int method, int position) {
  CalcMethod = static_cast<std::uint16_t>(method == 1 ? 1 : 0);
  if (!Installments) return;
  Installments->SetSimplified(CalcMethod);
  if (Installments->CurrentComponent() != 0) Recalculate(position, true);
}

void TProjectData::Recalculate(int position, bool clearNewEntry) {
  if (!IndexTable || !Installments) return;
  Installments->SetProjectDates(PriceReferenceDate, TenderDate, StartOfWorks);
  Installments->SetIndexTable(IndexTable.get());
  Installments->SetCurrentComponent(position);
  if (clearNewEntry) Installments->ClearNewEntry();
  Installments->Calculate(0);
}

void TProjectData::RebuildIndexGrid() {
  if (!IndexTable) return;
  IndexTable->SetHighlightMonth(MonthKeyOf(PriceReferenceDate));
  if (TIndexGridPainter* grid = IndexTable->Grid())
    for (int position = 1; position <= IndexTable->Count(); ++position) grid->RefreshColumn(position);
}

void TProjectData::RefreshIndexColumn(int position) {
  if (!IndexTable) return;
  IndexTable->SetHighlightMonth(MonthKeyOf(PriceReferenceDate));
  if (TIndexGridPainter* grid = IndexTable->Grid()) grid->RefreshColumn(position);
}

}  // namespace pc::project
