#include "common/cp1252.h"

#include <gtest/gtest.h>

namespace pc {
namespace {

TEST(Cp1252, ToUtf8) {
  struct Case {
    const char* in;
    const char* out;
  };
  const Case cases[] = {
      {"abc", "abc"},
      {"\x80", "\xe2\x82\xac"},           // euro sign
      {"\xe9", "\xc3\xa9"},               // e acute
      {"Pri\xebn", "Pri\xc3\xabn"},
      {"\x93x\x94", "\xe2\x80\x9cx\xe2\x80\x9d"},
      {"\x81", "\xc2\x81"},               // undefined byte kept as C1 control
      {"\xff", "\xc3\xbf"},
  };
  for (const Case& c : cases) EXPECT_EQ(Cp1252ToUtf8(c.in), c.out) << c.in;
  EXPECT_EQ(Cp1252ToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Cp1252, FromUtf8) {
  struct Case {
    const char* in;
    const char* out;
  };
  const Case cases[] = {
      {"abc", "abc"},
      {"\xe2\x82\xac 5", "\x80 5"},
      {"caf\xc3\xa9", "caf\xe9"},
      {"\xe4\xb8\xad", "?"},              // no Windows-1252 byte
      {"\xf0\x9f\x98\x80", "?"},          // emoji
      {"\x80", "?"},                      // stray continuation byte
      {"\xc3", "?"},                      // truncated
      {"\xc3x", "?x"},
      {"\xc0\xaf", "??"},                 // overlong form
      {"\xed\xa0\x80", "?"},              // surrogate
      {"\xf5\x80\x80\x80", "????"},
      {"\xc2\x81", "\x81"},
  };
  for (const Case& c : cases) EXPECT_EQ(Utf8ToCp1252(c.in), c.out) << c.in;
  EXPECT_EQ(Utf8ToCp1252("\xe4\xb8\xad", '_'), "_");
}

TEST(Cp1252, EveryByteRoundTrips) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

}  // namespace
}  // namespace pc
