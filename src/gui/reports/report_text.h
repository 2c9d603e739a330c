// Windows-1252 texts of the report data as Qt strings.
#pragma once

#include <QString>
#include <string_view>

#include "common/cp1252.h"

namespace pc::gui {

inline QString ReportText(std::string_view cp1252) {
  return QString::fromStdString(Cp1252ToUtf8(cp1252));
}

}  // namespace pc::gui
