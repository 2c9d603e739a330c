// The result codes of an update pass and the words the main window uses
// for them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pc::update {

enum class UpdateResult : std::int32_t {
  Success = 0,
  NoConnection = 1,        // a request failed before the server was reached
  FolderFailed = 2,        // the update folder could not be created
  InfoFileFailed = 3,      // the server was reached but the information file not fetched
  InvalidInfoFile = 4,     // the information file lacks its header
  DownloadFailed = 5,      // a file download failed, or the server answered with an error text
  WriteFailed = 6,         // a downloaded file could not be written
  Cancelled = 7,           // the pass was stopped from outside
};

inline constexpr std::string_view kUpdateFailedPrefix = "De update is mislukt: ";
inline constexpr std::string_view kUpdateSucceededText = "De update is succesvol verlopen";

// The words after kUpdateFailedPrefix for a failed pass's code; the success
// text for 0 and "onbekende fout!" for a code outside 0..7.
std::string UpdateResultText(std::int32_t code);

}  // namespace pc::update
