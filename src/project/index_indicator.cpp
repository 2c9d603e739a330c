#include "project/index_indicator.h"

#include "common/text_routines.h"

namespace pc::project {

std::string IndexIndicatorText(const TProjectData& document) {
  const std::string name(FileBaseName(document.IndexPath));
  switch (document.IndexBinding) {
    case index_binding::kCentral: return "Centrale indextabel (" + name + ")";
    case index_binding::kLocal: return "Lokale indextabel (" + name + ")";
    case index_binding::kCentralOnline: return "Centrale (online) indextabel (" + name + ")";
    default: return "Indextabel schrijfbeveiligd";
  }
}

}  // namespace pc::project
