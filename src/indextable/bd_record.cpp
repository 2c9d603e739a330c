#include "indextable/bd_record.h"

#include "common/number_text.h"

namespace pc {

std::string ComponentCaption(const std::string& name, bool variable, double percentage) {
  if (variable) return name + " ( var )";
  if (percentage != 0) return name + " (" + FormatTwoDecimals(2, percentage) + "%)";
  return name;
}

}  // namespace pc
