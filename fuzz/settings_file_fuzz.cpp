// The settings file is edited by people and may be cut short by a crash:
// reading any text must give a hive that writes back and reads again whole.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/file_registry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  pc::platform::RegistryTree hive;
  pc::platform::DecodeSettingsFile(std::string_view(reinterpret_cast<const char*>(data), size), hive);
  const std::string written = pc::platform::EncodeSettingsFile(hive);
  pc::platform::RegistryTree again;
  if (pc::platform::DecodeSettingsFile(written, again) != pc::platform::SettingsFileState::Loaded) std::abort();
  if (pc::platform::EncodeSettingsFile(again) != written) std::abort();
  return 0;
}
