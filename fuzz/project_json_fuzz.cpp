// Any text given to import-json: either refused with a problem, or a
// project that goes into a document and comes out as JSON that reads back.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "project/project_data.h"
#include "project/project_json.h"
#include "project/project_json_model.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pc::project_json;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  auto parsed = ParseProject(text, 39517);
  auto* description = std::get_if<ProjectDescription>(&parsed);
  if (!description) return 0;
  pc::project::TProjectData document;
  if (ToDocument(*description, document)) std::abort();  // a checked description always fits
  const std::string again = WriteProject(FromDocument(document));
  if (!std::holds_alternative<ProjectDescription>(ParseProject(again, 39517))) std::abort();
  return 0;
}
