// What the tiles of the project page's start panels show, without any
// window: the summary of a recently opened project file (with the texts
// shown when it cannot be read) and the lines of a new-project tile.
#pragma once

#include <memory>
#include <string>

#include "common/date_time.h"
#include "project/picture.h"
#include "project/project_data.h"

namespace pc::project {

inline constexpr const char* kUnknownText = "Onbekend";
inline constexpr const char* kUnknownClient = "Onbekende opdrachtgever";
inline constexpr const char* kUnknownContractor = "Onbekende opdrachtnemenr";
inline constexpr const char* kFreeProjectCaption =
    "Start een project waarin u alle projectgegevens vrij kunt kiezen";

// An open tile's data: the project file, its properties and dates.
struct TProjectSummary {
  std::string Path;
  bool FileFound = false;  // a normal file of that name exists
  bool Readable = false;   // and it reads as a project file
  std::string Name = kUnknownText;
  std::string Client = kUnknownClient;
  std::string Contractor = kUnknownContractor;
  std::string Created = kUnknownText;  // long date texts ("5 juli 2007")
  std::string Changed = kUnknownText;
  // The project's logo; null when it has none (the tile shows the default).
  std::shared_ptr<const TPicture> Logo;
  // Why the file could not be read (the document's one-line message), empty
  // when it could.
  std::string Problem;
};

// The creation date and the date of last change of a normal file, in local
// time; nothing for a missing file or one that is not a normal file.
struct TFileDates {
  TDateTime Created = 0;
  TDateTime Changed = 0;
};
bool ReadFileDates(const std::string& path, TFileDates& dates);

// Reads a project file's summary for its tile. The file is read into a
// temporary document; a failure is not shown to the user but kept in
// Problem. `services` may be null.
TProjectSummary ReadProjectSummary(const std::string& path, const TProjectServices* services = nullptr);

// A new tile's data: what the new project starts with.
struct TNewProjectTemplate {
  std::string Name;
  std::string Caption;
  std::string Client;
  std::string Contractor;
  TDateTime PriceReferenceDate = -1;  // -1: the user chooses (today)
};

// The three lines under a new tile's caption.
struct TNewTileLines {
  std::string Client;
  std::string Contractor;
  std::string Date;
};
TNewTileLines NewTileLines(const TNewProjectTemplate& data);

}  // namespace pc::project
