#include "update/info_file.h"

#include "update/file_names.h"

namespace pc::update {
namespace {

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// The name between the first double quote from character 5 on and the
// next one; false when either quote is missing.
bool QuotedName(std::string_view line, std::string& name) {
  const auto open = line.find('"', 4);
  if (open == std::string_view::npos) return false;
  const auto close = line.find('"', open + 1);
  if (close == std::string_view::npos) return false;
  name = std::string(line.substr(open + 1, close - open - 1));
  return true;
}

}  // namespace

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

bool HasInfoFileHeader(std::string_view firstLine) { return firstLine.starts_with(kInfoFileHeader); }

std::string InvalidLineStatus(std::string_view line) { return "Ongeldige update instructieregel " + Quoted(line); }

std::vector<PlanStep> PlanInfoFile(const std::vector<std::string>& lines, const PlanSettings& settings) {
  using K = PlanStep::Kind;
  std::vector<PlanStep> steps;
  enum class MemoTarget { None, Downloaded, Online } memoTarget = MemoTarget::None;
  bool memoStarted = false;  // the target's memo has had a line already

  auto status = [&](std::string text) { steps.push_back({K::Status, std::move(text), TargetFolder::Updates}); };
  auto invalid = [&](const std::string& line) {
    status(InvalidLineStatus(line));
    memoTarget = MemoTarget::None;
  };

  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.empty()) continue;
    switch (line[0]) {
      case 'D': {
        std::string name;
        if (line.size() <= 4 || !QuotedName(line, name)) {
          invalid(line);
          break;
        }
        memoTarget = MemoTarget::None;
        memoStarted = false;
        const char kind = line[2];
        // A set-up file that is not fetched names no file to write.
        const bool fetchless = kind == 'C' && (settings.skipCoreFile || name == settings.lastDownloadedCoreFile);
        if (!fetchless && !IsSafeFileName(name)) {
          steps.push_back({K::RefuseName, "Ongeldige bestandsnaam " + Quoted(name), TargetFolder::Updates});
          break;
        }
        if (kind == 'C') {
          if (settings.skipCoreFile) {
            status("Downloaden van corebestand " + Quoted(name) + " wordt overgeslagen (windows register optie)");
            steps.push_back({K::SetCoreFile, settings.lastDownloadedCoreFile, TargetFolder::Updates});
          } else {
            steps.push_back({K::SetCoreFile, name, TargetFolder::Updates});
            if (name != settings.lastDownloadedCoreFile) steps.push_back({K::Fetch, name, TargetFolder::Updates});
          }
        } else if (kind == 'I' || kind == 'L') {
          steps.push_back({K::AddDownloadedIndex, name, TargetFolder::Index});
          steps.push_back({K::Fetch, name, TargetFolder::Index});
          memoTarget = MemoTarget::Downloaded;
        } else if (kind == 'O') {
          steps.push_back({K::AddOnlineIndex, name, TargetFolder::Index});
          memoTarget = MemoTarget::Online;
        } else {
          steps.push_back({K::Fetch, name, TargetFolder::Updates});
        }
        break;
      }
      case 'M': {
        if (memoTarget == MemoTarget::None) break;
        std::string text = line.size() > 2 ? line.substr(2) : std::string();
        if (memoStarted) text.insert(0, "\n\r");
        memoStarted = true;
        steps.push_back({memoTarget == MemoTarget::Downloaded ? K::AppendDownloadedMemo : K::AppendOnlineMemo,
                         std::move(text), TargetFolder::Updates});
        break;
      }
      case 'W':
        status("Waarschuwing: " + Quoted(line));
        memoTarget = MemoTarget::None;
        break;
      case 'E':
        status("Error: " + Quoted(line));
        memoTarget = MemoTarget::None;
        break;
      default:
        invalid(line);
        break;
    }
  }
  return steps;
}

}  // namespace pc::update
