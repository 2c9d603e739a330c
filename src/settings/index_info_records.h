// The entries of the two lists that the update pass fills.
#pragma once

#include <memory>
#include <string>

namespace pc::settings {

// An index table the update server offers online.
struct KVAvailOnlineIndexRec {
  std::string FileName;
  std::string Memo;
  bool operator==(const KVAvailOnlineIndexRec&) const = default;
};

// What came with a downloaded index file.
struct KVDownloadedIndexInfoRec {
  std::string FileName;  // name of an index file in the index folder, without folder
  std::string Memo;      // shown above the index table of a project using that file
  std::string UrlInfo;   // kept and stored; the update pass leaves it empty
  bool operator==(const KVDownloadedIndexInfoRec&) const = default;
};

// Entries are shared and never change once they are in a list: a project
// document may keep one after the list was replaced, and it stays valid for
// as long as it is held. Whether it is still current is asked with
// TKVConfig::IsDownloadedIndexInfo.
using DownloadedIndexInfoPtr = std::shared_ptr<const KVDownloadedIndexInfoRec>;

}  // namespace pc::settings
