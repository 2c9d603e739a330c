#include "project/start_tiles.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdint>

#include "common/date_text.h"
#include "common/recording_messages.h"

namespace pc::project {
namespace {

// Seconds between 1 January 1601 and 1 January 1970.
constexpr std::int64_t kUnixEpochInFileTime = 11644473600LL;

TDateTime LocalDateOf(const struct statx_timestamp& t) {
  const std::int64_t ticks = (static_cast<std::int64_t>(t.tv_sec) + kUnixEpochInFileTime) * 10000000LL +
                             static_cast<std::int64_t>(t.tv_nsec) / 100;
  return FileTimeToLocalDateTime(ticks < 0 ? 0 : static_cast<std::uint64_t>(ticks));
}

}  // namespace

bool ReadFileDates(const std::string& path, TFileDates& dates) {
  struct statx info {};
  if (path.empty() ||
      statx(AT_FDCWD, path.c_str(), 0, STATX_TYPE | STATX_MTIME | STATX_BTIME, &info) != 0)
    return false;
  if ((info.stx_mask & STATX_TYPE) == 0 || !S_ISREG(info.stx_mode)) return false;
  dates.Changed = LocalDateOf(info.stx_mtime);
  // Not every file system keeps a creation time; without one the date of
  // the last change stands in for it.
  dates.Created = (info.stx_mask & STATX_BTIME) != 0 ? LocalDateOf(info.stx_btime) : dates.Changed;
  return true;
}

TProjectSummary ReadProjectSummary(const std::string& path, const TProjectServices* services) {
  TProjectSummary summary;
  summary.Path = path;
  TFileDates dates;
  if (!ReadFileDates(path, dates)) return summary;
  summary.FileFound = true;
  summary.Created = LongDateText(dates.Created);
  summary.Changed = LongDateText(dates.Changed);

  // The temporary document tells its failure to a recorder instead of the
  // user: the tile shows it, and opening the file tells it again.
  TRecordingMessages recorder;
  TProjectServices quiet = services ? *services : TProjectServices{};
  quiet.Messages = &recorder;
  quiet.Questions = nullptr;
  quiet.IndexGrid = nullptr;
  TProjectData document(&quiet);
  if (!document.OpenProjectFile(path)) {
    const auto messages = recorder.Messages();
    summary.Problem = messages.empty() ? std::string("Het projectbestand kan niet worden gelezen.")
                                       : messages.front();
    return summary;
  }
  summary.Readable = true;
  summary.Name = document.ProjectName;
  summary.Client = document.Client;
  summary.Contractor = document.Contractor;
  if (document.HasLogo && document.Logo && !document.Logo->Empty()) summary.Logo = document.Logo;
  return summary;
}

TNewTileLines NewTileLines(const TNewProjectTemplate& data) {
  TNewTileLines lines;
  if (data.Client.empty() && data.Contractor.empty()) {
    lines.Client = "U kunt alle projectgegevens vrij kiezen";
    return lines;
  }
  lines.Client = data.Client.empty() ? "Opdrachtgever is vrij te kiezen" : "Opdrachtgever: " + data.Client;
  lines.Contractor =
      data.Contractor.empty() ? "Opdrachtnemer is vrij te kiezen" : "Opdrachtnemer: " + data.Contractor;
  lines.Date = data.PriceReferenceDate == -1 ? "Prijspeil datum is vrij te kiezen"
                                             : "Prijspeil datum: " + LongDateText(data.PriceReferenceDate);
  return lines;
}

}  // namespace pc::project
