// Any bytes as a project file: read into a document (what was read stays,
// nothing crashes), computed, and written again.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "project/project_data.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string folder = "/tmp/pc_fuzz_project_" + std::to_string(getpid()) + "/";
  static const bool made = [] { return std::system(("mkdir -p " + folder).c_str()) == 0; }();
  if (!made) return 0;
  {
    std::ofstream out(folder + "in.kvp", std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  pc::project::TProjectData document;
  document.OpenProjectFile(folder + "in.kvp");
  document.Recalculate(1, false);
  document.SaveProjectFile(folder + "out.kvp");
  return 0;
}
