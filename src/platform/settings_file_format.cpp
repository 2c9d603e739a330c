#include "platform/file_registry.h"

namespace pc::platform {

std::string EncodeSettingsFile(const RegistryTree&) { return "{}\n"; }

SettingsFileState DecodeSettingsFile(std::string_view, RegistryTree&) { return SettingsFileState::Loaded; }

}  // namespace pc::platform
