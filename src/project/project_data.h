// The project document: a project's properties, its index table and
// installments, its print logo, the paths of its project and index file and
// how it is bound to that index file. It reads and writes project files
// (.kvp) and index files (.kvi).
//
// Copies are cheap and independent: the index table and the installments
// share their unchanged blocks with the document they were copied from, and
// the two pictures are immutable and shared. Changing one document never
// changes another (the undo history, project/project_history.h, keeps up to
// 100 of them).
//
// Failures are result values, never exceptions. A file that cannot be read
// or written is told to the user through TProjectServices::Messages as one
// line naming the file and its code (project/file_result.h).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "common/date_time.h"
#include "common/messages.h"
#include "indextable/bd_config.h"
#include "installments/termijn_config.h"
#include "project/file_result.h"
#include "project/merge_questions.h"
#include "project/picture.h"
#include "settings/kv_config.h"
#include "storage/file_system.h"
#include "storage/storage_file.h"

namespace pc::project {

inline constexpr const char* kFileVersion = "2007.07 Beta";
inline constexpr const char* kNewProjectName = "Nieuw Project";
inline constexpr std::size_t kProjectTextLength = 50;
inline constexpr std::size_t kIndexFileNameLength = 64;

// What the documents of one history share and do not own.
struct TProjectServices {
  // Central index folder, default index file, downloaded index entries. May
  // be null: then the central folder is empty and no entry is found.
  settings::TKVConfig* Settings = nullptr;
  // Where file messages go; null drops them.
  TMessageUi* Messages = nullptr;
  // Answers when an index file lacks components of the project; null
  // answers as a closed dialog does (cancel / "Alleen Lezen").
  TMergeQuestions* Questions = nullptr;
  // Existence checks and folder creation; null is the real disk.
  storage::FileSystem* Files = nullptr;
  // Today's date for new projects; null is the system clock.
  std::function<TDateTime()> Today;
  // The index grid the index table paints; may be null.
  TIndexGridPainter* IndexGrid = nullptr;
};

// Where the user was when an undo step began; put back after undo and redo.
struct TUiState {
  int ActiveControl = 0;
  int ActivePage = 0;
  int FocusedGrid = 0;  // 0 none, 1 index grid, 2 installments grid
  int InstallmentRow = 0;
  int InstallmentColumn = 0;
  int CurrentComponent = 0;  // position on the installments page
  int IndexRow = 0;
  int IndexColumn = 0;
  friend bool operator==(const TUiState&, const TUiState&) = default;
};

namespace index_binding {
inline constexpr std::uint8_t kCentral = 0;
inline constexpr std::uint8_t kLocal = 1;
inline constexpr std::uint8_t kNone = 2;  // detached, write-protected
inline constexpr std::uint8_t kCentralOnline = 3;
}  // namespace index_binding

// How an index file's image is taken into the table.
enum class TLoadMode : int {
  Fresh = 0,          // the table is replaced (new document, project file data)
  Switching = 1,      // the project moves to another index file
  Synchronising = 2,  // the project is opened with its own index file
};

class TProjectData {
 public:
  explicit TProjectData(const TProjectServices* services = nullptr);
  ~TProjectData();
  TProjectData(const TProjectData&) = delete;
  TProjectData& operator=(const TProjectData&) = delete;

  const TProjectServices* Services() const { return services_; }

  // ---- whole document -------------------------------------------------
  // Everything empty or zero, models and pictures freed, not modified,
  // binding recomputed (none).
  void Clear();
  // Creates the index table and the installment set bound to it when absent.
  void EnsureModels();
  // Makes this document a copy of `other`: every field, the models through
  // their own copies (sharing unchanged blocks), the same pictures and the
  // same OnlineInfo entry.
  void CopyFrom(const TProjectData& other);
  // A new project: the default index file loaded fresh, "Nieuw Project",
  // today as the three dates, the official method, no installments.
  void InitNew();

  // ---- project files --------------------------------------------------
  // Reads a project file into this document (models must exist). Values
  // read before a failure stay; ProjectPath is set either way.
  bool LoadProjectFile(const std::string& path);
  // EnsureModels, then LoadProjectFile.
  bool OpenProjectFile(const std::string& path);
  // Writes the project file; the document itself does not change.
  bool SaveProjectFile(const std::string& path) const;
  // Reads the project and then its index file (`indexPath`, or the one the
  // location rule chooses when empty) synchronising; binding recomputed.
  bool Open(const std::string& projectPath, const std::string& indexPath);
  // Writes the project file and, when bound centrally or locally, the index
  // table back into its index file. On success ProjectPath = path and the
  // document is no longer modified; on failure both stay.
  bool SaveAll(const std::string& path);
  // Loads or saves `file` and tells a failure to the user. Returns whether
  // the code counts as success (FileResultSucceeded).
  bool ReportFileResult(storage::TStorageFile& file, TFileOperation operation) const;

  // ---- properties -----------------------------------------------------
  // Stores the five values (texts cut to 50 characters); returns whether
  // the start of works lies on or after the price reference date.
  bool SetProperties(const std::string& projectName, const std::string& client,
                     TDateTime startOfWorks, TDateTime priceReferenceDate,
                     const std::string& contractor);
  // Reads a picture file as print logo (kind by extension), cut to at most
  // 200 x 110 pixels (its top-left part). False, with HasLogo false and no
  // logo, when it cannot be read.
  bool LoadLogo(const std::string& path);
  void ClearLogo();
  // Stores the method and passes it to the installments; recalculates when
  // a current component is set.
  void SetCalcMethod(int method, int position);
  // Hands the project dates, the index table and the current component to
  // the installments and computes every component.
  void Recalculate(int position, bool clearNewEntry);

  // Marks the month of the price reference date in the index table and
  // repaints every column (RebuildIndexGrid) or one (RefreshIndexColumn).
  void RebuildIndexGrid();
  void RefreshIndexColumn(int position);

  // ---- index files ----------------------------------------------------
  // Recomputes IndexBinding and OnlineInfo from IndexPath, IndexFileName
  // and OnlineIndex.
  void UpdateIndexBinding();
  // Fills an image from the index table: every component (index form) or
  // only those taking part in the calculation (project form), their own
  // figures, and with `withPicture` the index picture.
  void TableToImage(storage::TStorageFile& image, bool projectForm, bool withPicture) const;
  // Takes a read image into the index table in the given mode.
  bool ImageToTable(const storage::TStorageFile& image, TLoadMode mode);
  // Reads an index file (telling a read failure to the user) and takes
  // what was read in the given mode. A file that exists but could not be
  // read whole leaves the document detached, so that a later save never
  // overwrites it with the part that was read.
  bool LoadIndexFile(const std::string& path, TLoadMode mode);
  // Writes the index table (or, with `empty`, no components) as index file.
  bool SaveIndexFile(const std::string& path, bool empty, bool withPicture) const;
  // Writes the index table with its picture as a normal (0) or online (1)
  // index file. The document stays bound to its own index file; an export
  // into the project's folder makes the binding local.
  bool ExportIndexFile(const std::string& path, int exportKind);
  // Binds the project to another index file (see the mode Switching).
  // Without force nothing happens when the file's name equals IndexFileName.
  bool SwitchIndexFile(const std::string& path, bool force);
  // Makes sure the default index file exists, writing an empty one (and its
  // folder) when not.
  bool EnsureDefaultIndexFile() const;

  // The central index folder (with separator) and the default index file.
  std::string CentralFolder() const;
  std::string DefaultIndexFile() const;

  // ---- fields ---------------------------------------------------------
  bool Modified = false;
  std::unique_ptr<TBDConfig> IndexTable;
  std::unique_ptr<TTermijnConfig> Installments;
  std::shared_ptr<const TPicture> Logo;
  bool HasLogo = false;
  TUiState Ui;
  std::string IndexPath;
  std::string ProjectPath;
  std::uint8_t IndexBinding = index_binding::kNone;
  bool Concept = false;
  TDateTime PriceReferenceDate = 0;
  TDateTime TenderDate = 0;
  TDateTime StartOfWorks = 0;
  std::string IndexFileName;
  std::uint8_t OnlineIndex = 0;
  std::shared_ptr<const TPicture> IndexPicture;
  std::string ProjectName;
  std::string Client;
  std::string Contractor;
  std::uint16_t CalcMethod = 0;
  settings::DownloadedIndexInfoPtr OnlineInfo;
  // Result code of the last index file read (0 when it read whole).
  int LastIndexReadCode = 0;

 private:
  bool FileExists(const std::string& path) const;
  storage::FileSystem& Files() const;
  void ShowMessage(const std::string& text) const;
  bool ImageSwitching(const storage::TStorageFile& image);
  bool ImageSynchronising(const storage::TStorageFile& image, bool& readOnly);
  void MatchByName(const storage::TStorageFile& image, int (&slotOfEntry)[51]);
  void LoadFigures(const storage::TStorageFile& image, const int (&slotOfEntry)[51]);

  const TProjectServices* services_;
};

}  // namespace pc::project
