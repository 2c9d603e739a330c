// The information file comes from the network: any answer must plan without
// fault, and no step may ever fetch a name that could leave its folder.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "update/file_names.h"
#include "update/info_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using pc::update::PlanStep;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto lines = pc::update::SplitLines(text);
  if (lines.empty() || !pc::update::HasInfoFileHeader(lines.front())) return 0;
  pc::update::PlanSettings settings;
  settings.skipCoreFile = size % 2 == 1;
  settings.lastDownloadedCoreFile = "setup.exe";
  for (const PlanStep& step : pc::update::PlanInfoFile(lines, settings)) {
    if (step.kind == PlanStep::Kind::Fetch && !pc::update::IsSafeFileName(step.text)) std::abort();
    if (step.kind == PlanStep::Kind::Fetch) (void)pc::update::PercentEncode(step.text);
  }
  return 0;
}
