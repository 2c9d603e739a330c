// Every plain setting once: its registry key, value name, stored form and
// default. Load, Save and SetDefaults all walk this one table, so a setting
// cannot be saved under one name and read under another.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "settings/proxy_info.h"

namespace pc::settings {

class TKVConfig;

enum class SettingSection : std::uint8_t { MainWindow, App, Update, Proxy };

// How a field is stored: strings as String values, the rest as DWord.
enum class SettingForm : std::uint8_t {
  Text,       // std::string
  Password,   // std::string, scrambled in the registry
  Flag,       // bool: 1 or 0, read as true when non-zero
  Integer,    // std::int32_t, its 32-bit pattern
  Byte,       // std::uint8_t; a stored number above 255 is not read
  ProxyKind,  // TProxyKind; a stored number above 3 is not read
};

using SettingField = std::variant<std::string*, bool*, std::int32_t*, std::uint8_t*, TProxyKind*>;

struct SettingSpec {
  SettingSection section;
  std::string_view valueName;
  SettingForm form;
  SettingField (*field)(TKVConfig&);
  bool saved;         // false: read only, never written
  bool hasDefault;    // false: SetDefaults leaves the field alone
  std::int32_t defaultNumber;  // for numbers and flags; texts default to empty
};

// In load and save order, section by section.
std::span<const SettingSpec> SettingsLayout();

std::string_view SectionKey(SettingSection section);

}  // namespace pc::settings
