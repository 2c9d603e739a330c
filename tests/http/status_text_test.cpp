#include "http/status_text.h"

#include <gtest/gtest.h>

namespace pc::http {
namespace {

TEST(StatusTextTest, NamesEveryKnownCodeAndNothingElse) {
  const struct {
    int code;
    const char* text;
  } cases[] = {
      {0, ""},
      {1, "File I/O error"},
      {2, "No downloads between 09:30 and 16:30."},
      {200, "OK"},
      {302, "Moved Temporarily"},
      {404, "Not Found"},
      {407, "Proxy Authentication Required"},
      {408, "Request Time-out"},
      {416, "Requested range not valid"},
      {505, "HTTP Version not supported"},
      {9001, "Network error: Timeout occured"},
      {9002, "Parser error: No Stocks Found (see \"File, Check for system updates\" if there are new configuration files)"},
      {207, "Unknown error"},
      {417, "Unknown error"},
      {-1, "Unknown error"},
      {3, "Unknown error"},
  };
  for (const auto& c : cases) EXPECT_EQ(StatusText(c.code), c.text) << c.code;
}

}  // namespace
}  // namespace pc::http
