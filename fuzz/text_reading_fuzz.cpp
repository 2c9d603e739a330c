// Every text reader takes arbitrary bytes without crashing, and what it
// accepts stays inside its documented range.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "common/cp1252.h"
#include "common/date_text.h"
#include "common/number_text.h"
#include "common/text_routines.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const double figure = pc::ReadFigure(text);
  if (!(figure >= 0 && figure <= 99999.99)) std::abort();
  const double percentage = pc::ReadPercentage(text);
  if (!(percentage >= 0 && percentage <= 100)) std::abort();
  if (!std::isfinite(pc::ParseNumber(text)) || !std::isfinite(pc::ReadAmount(text))) std::abort();
  (void)pc::ReadTrendPercentage(text);
  (void)pc::ParseInteger(text);
  if (const auto date = pc::ReadDateText(text, 2012)) {
    const pc::TYmd ymd = pc::DecodeDate(*date);
    if (*date != std::trunc(*date)) std::abort();
    if (ymd.Year != 2012 && (ymd.Year < 1981 || ymd.Year > 2100)) std::abort();
    // Short dates of 1981..2079 read back as the same day.
    if (ymd.Year <= 2079 && pc::ReadDateText(pc::FormatShortDate(*date), 2012) != date) std::abort();
  }
  const std::string bytes = pc::Utf8ToCp1252(text);
  (void)pc::Cp1252ToUtf8(text);
  if (pc::Utf8ToCp1252(pc::Cp1252ToUtf8(bytes)) != bytes) std::abort();
  (void)pc::SplitPath(text);
  (void)pc::FileBaseName(text);
  if (size >= 8) {
    double value;
    __builtin_memcpy(&value, data, sizeof value);
    (void)pc::FormatAmount(value);
    (void)pc::FormatTwoDecimals(static_cast<int>(data[0]) - 128, value);
    (void)pc::FormatShortDate(value);
    (void)pc::LongDateText(value);
  }
  return 0;
}
