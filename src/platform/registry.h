// The settings registry: a tree of keys holding typed, named values, with one
// hive per user and a read-only machine-wide one. The settings store talks
// only to this interface; FileRegistry keeps the user's hive in a file,
// MemoryRegistry keeps both hives in memory for tests.
//
// Key paths use "\" between key names, may start with "\" and are compared
// without regard to letter case (a..z); a key keeps the spelling it was
// created with. Value names are compared the same way; the empty name is the
// key's default value. Texts are single-byte (Windows-1252).
//
// Every call is safe from several threads at once.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pc::platform {

enum class RegistryRoot : std::uint8_t {
  CurrentUser,   // the user's own settings, readable and writable
  LocalMachine,  // machine-wide facts such as the shell folders; read-only
};

// Value types, numbered as the registry numbers them.
enum class RegistryValueType : std::uint32_t {
  None = 0,    // only reported for a value that does not exist
  String = 1,  // REG_SZ
  Binary = 3,  // REG_BINARY
  DWord = 4,   // REG_DWORD, an unsigned 32-bit number
};

// Outcome of every registry call, numbered like the system's error codes.
enum class RegistryResult : std::int32_t {
  Ok = 0,
  NotFound = 2,           // the key or value does not exist
  AccessDenied = 5,       // the key was opened read-only, or the hive cannot be written
  InvalidName = 87,       // an empty path, an empty key name inside a path
  WriteFailed = 1013,     // the hive could not be stored (disk full, rename failed)
  KeyDeleted = 1018,      // the key behind an open handle has been deleted since
  WrongType = 1630,       // the value exists with another type than the one asked for
};

enum class KeyAccess : std::uint8_t {
  ReadOnly,   // open an existing key; writes through the handle give AccessDenied
  ReadWrite,  // open an existing key for reading and writing
  Create,     // open the key, creating it and every missing parent first
};

// An open key. The handle names the key by its path: when the key is
// deleted, calls through the handle give KeyDeleted; a key created again
// under the same path is reached again.
class RegistryKey {
 public:
  virtual ~RegistryKey() = default;

  // The type of value `name`; NotFound (and type None) when it does not exist.
  virtual RegistryResult GetValueType(std::string_view name, RegistryValueType& type) const = 0;
  // Read a value of exactly this type. On any result but Ok the output is
  // left unchanged; a value of another type gives WrongType.
  virtual RegistryResult ReadString(std::string_view name, std::string& value) const = 0;
  virtual RegistryResult ReadDWord(std::string_view name, std::uint32_t& value) const = 0;
  virtual RegistryResult ReadBinary(std::string_view name, std::vector<std::uint8_t>& value) const = 0;

  // Create or replace a value, whatever type it had.
  virtual RegistryResult WriteString(std::string_view name, std::string_view value) = 0;
  virtual RegistryResult WriteDWord(std::string_view name, std::uint32_t value) = 0;
  virtual RegistryResult WriteBinary(std::string_view name, std::span<const std::uint8_t> value) = 0;

  // Names of the values and of the direct subkeys, in the order they were
  // created (or read from the file).
  virtual RegistryResult ListValues(std::vector<std::string>& names) const = 0;
  virtual RegistryResult ListSubKeys(std::vector<std::string>& names) const = 0;

  virtual RegistryResult DeleteValue(std::string_view name) = 0;
  // Deletes the direct subkey `name` together with everything below it.
  virtual RegistryResult DeleteSubKey(std::string_view name) = 0;

  // The path of the key as it was opened, without a leading "\".
  virtual const std::string& Path() const = 0;
};

class Registry {
 public:
  virtual ~Registry() = default;

  // Opens the key at `path` under `root`. On Ok `key` holds the handle; on
  // any other result it is reset. Create under LocalMachine gives
  // AccessDenied; ReadWrite there opens the key read-only.
  virtual RegistryResult OpenKey(RegistryRoot root, std::string_view path, KeyAccess access,
                                 std::unique_ptr<RegistryKey>& key) = 0;

  // Deletes the key at `path` with all its subkeys and values.
  virtual RegistryResult DeleteKey(RegistryRoot root, std::string_view path) = 0;

  // Makes every change since the last Flush durable. For an in-memory
  // registry this only reports the injected failure, if any.
  virtual RegistryResult Flush() = 0;
};

// The machine-wide key that lists the shell folders, and its two values
// that the settings store uses for the default index folder.
inline constexpr std::string_view kShellFoldersKey =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline constexpr std::string_view kCommonDocumentsValue = "Common Documents";
inline constexpr std::string_view kCommonAppDataValue = "Common AppData";

}  // namespace pc::platform
