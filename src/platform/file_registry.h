// The registry of this system: the user's hive in one human-readable JSON
// file, the machine-wide hive holding only the shell folders.
//
// The file maps every key path to an object of its values:
//   {
//     "\\Software\\PrijsCorrectum\\2006\\MainWindow": { "WinState": 0, "Top": 40 },
//     "\\Software\\PrijsCorrectum\\2006\\App": { "centralPath": "/home/an/.local/share/PrijsCorrectum/" }
//   }
// A String value is a JSON string, a DWord a JSON number (0..4294967295; a
// negative number typed by hand is taken as its 32-bit pattern), a Binary
// value {"REG_BINARY": "<hex digits>"}. {"REG_SZ": ...} and {"REG_DWORD": ...}
// are read too. Texts are written as UTF-8 and kept as Windows-1252.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

#include "platform/environment.h"
#include "platform/folders.h"
#include "platform/registry.h"
#include "platform/registry_tree.h"

namespace pc::platform {

enum class SettingsFileState : std::uint8_t {
  Missing,     // no file yet: the hive starts empty
  Loaded,      // read whole
  Damaged,     // not sound JSON or not of this layout: every key and value
               // read before the damage is kept, the rest is skipped
  Unreadable,  // the file exists but cannot be read: the hive starts empty
               // and the file is never overwritten
};

// What the settings file would hold for `hive`.
std::string EncodeSettingsFile(const RegistryTree& hive);
// Adds the keys and values of `text` to `hive`. Returns Loaded when all of
// it was sound; Damaged when something had to be skipped (a value of an
// unknown form is skipped alone; at a break in the JSON the rest of the
// text is lost, a value cut by it included).
SettingsFileState DecodeSettingsFile(std::string_view text, RegistryTree& hive);

class FileRegistry final : public Registry {
 public:
  // Reads the user's hive from `file`; the machine-wide shell-folder key
  // gets the non-empty ones of `folders`.
  FileRegistry(std::string file, const ShellFolders& folders);

  RegistryResult OpenKey(RegistryRoot root, std::string_view path, KeyAccess access,
                         std::unique_ptr<RegistryKey>& key) override;
  RegistryResult DeleteKey(RegistryRoot root, std::string_view path) override;
  // Writes the user's hive to the file when anything changed since it was
  // read or last written: atomically, permissions 0600 (it holds the proxy
  // password), the folder made with 0700 when missing. A damaged file is
  // first kept beside it as "<file>.damaged". An unreadable file is never
  // replaced: AccessDenied. WriteFailed when the file could not be written.
  RegistryResult Flush() override;

  SettingsFileState LoadState() const { return state_; }
  const std::string& File() const { return file_; }

 private:
  std::string file_;
  SettingsFileState state_ = SettingsFileState::Missing;
  RegistryTree user_;
  RegistryTree machine_;
  std::mutex flush_mutex_;
  std::uint64_t flushed_changes_ = 0;
  std::string damaged_text_;  // the damaged file as read, until a copy of it is kept
};

// Where the settings live: ConfigHome + "/PrijsCorrectum/settings.json";
// empty when there is no configuration folder.
std::string DefaultSettingsFile(const Environment& env);

}  // namespace pc::platform
