// Pictures as text: the exact text written, reading it back, and every
// kind of malformed text refused with the picture left as it was.
#include <gtest/gtest.h>

#include <thread>

#include "picture_test_files.h"
#include "project/picture_strings.h"

namespace pc::project {
namespace {

using namespace pc::project::testing;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  for (;;) {
    const std::size_t end = text.find("\r\n", at);
    if (end == std::string::npos) break;
    lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  EXPECT_EQ(at, text.size()) << "every line ends with CR LF";
  return lines;
}

TEST(PictureStringsTest, BitmapOf16By16IsWrittenIn27DigitLines) {
  const TPicture bmp = PictureOf(PictureKind::Bitmap, MakeBmp(16, 16));
  ASSERT_EQ(bmp.Data.size(), 822u);
  const std::string payload = PicturePayload(bmp);
  ASSERT_EQ(payload.size(), 834u);
  EXPECT_EQ(payload.substr(0, 12), std::string("\x07TBitmap\x36\x03\x00\x00", 12));

  ClearPictureError();
  const auto lines = Lines(PictureToString_ads(bmp));
  EXPECT_FALSE(PictureErrorRaised());
  ASSERT_EQ(lines.size(), 2u + 27u + 1u);
  EXPECT_EQ(lines[0], "object TPicture_ads");
  EXPECT_EQ(lines[1], "  Picture.Data = {");
  for (int i = 0; i < 26; ++i) {
    const std::string& l = lines[2 + static_cast<std::size_t>(i)];
    ASSERT_EQ(l.size(), 4u + 64u) << i;
    EXPECT_EQ(l.substr(0, 4), "    ");
    EXPECT_EQ(l.find_first_not_of("0123456789ABCDEF", 4), std::string::npos) << l;
  }
  EXPECT_EQ(lines[2], "    07544269746D617036030000424D360300000000000036000000280000001000");
  EXPECT_EQ(lines[28].size(), 4u + 4u + 1u);
  EXPECT_EQ(lines[28].back(), '}');
  EXPECT_EQ(lines[29], "end");
}

TEST(PictureStringsTest, ShortPayloadFollowsTheBraceDirectly) {
  EXPECT_EQ(PictureToString_ads(TPicture{}), "object TPicture_ads\r\n  Picture.Data = {00}\r\nend\r\n");
  TPicture_ads exactly32{std::string(32, '\xAB')};
  const auto lines = Lines(ComponentToString(exactly32));
  ASSERT_EQ(lines.size(), 4u);
  std::string digits;
  for (int i = 0; i < 32; ++i) digits += "AB";
  EXPECT_EQ(lines[2], "    " + digits + "}");
}

class PictureRoundTripTest : public ::testing::TestWithParam<std::pair<PictureKind, std::string>> {};

TEST_P(PictureRoundTripTest, TextReadsBackIntoAnEqualPictureAndTheSameText) {
  const TPicture original = PictureOf(GetParam().first, GetParam().second);
  ClearPictureError();
  const std::string text = PictureToString_ads(original);
  TPicture back;
  ASSERT_TRUE(StringToPicture_ads(text, back));
  EXPECT_FALSE(PictureErrorRaised());
  EXPECT_EQ(back, original);
  EXPECT_EQ(PictureToString_ads(back), text);
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, PictureRoundTripTest,
    ::testing::Values(std::make_pair(PictureKind::Bitmap, MakeBmp(16, 16)),
                      std::make_pair(PictureKind::Bitmap, MakeBmp(3, 2, 8)),
                      std::make_pair(PictureKind::Jpeg, MakeJpeg(64, 32)),
                      std::make_pair(PictureKind::Png, MakePng(200, 110)),
                      std::make_pair(PictureKind::Icon, MakeIco(32, 32)),
                      std::make_pair(PictureKind::Metafile, MakeEmf(80, 40)),
                      std::make_pair(PictureKind::Metafile, MakeWmf(80, 40))));

std::string Hex(std::string_view bytes) {
  static const char* d = "0123456789ABCDEF";
  std::string s;
  for (char c : bytes) {
    s.push_back(d[static_cast<unsigned char>(c) >> 4]);
    s.push_back(d[static_cast<unsigned char>(c) & 15]);
  }
  return s;
}

std::string Text(const std::string& hex) {
  return "object TPicture_ads\r\n  Picture.Data = {" + hex + "}\r\nend\r\n";
}

TEST(PictureStringsTest, ReadingAcceptsTheComponentTextForm) {
  const TPicture png = PictureOf(PictureKind::Png, MakePng(4, 4));
  const std::string hex = Hex(PicturePayload(png));
  std::string lower;
  for (char c : hex) lower.push_back(static_cast<char>(c >= 'A' && c <= 'F' ? c + 32 : c));
  std::string spaced;
  for (std::size_t i = 0; i < hex.size(); i += 2) spaced += hex.substr(i, 2) + (i % 6 == 0 ? "\n\t " : " ");
  const std::string texts[] = {
      Text(hex),
      "object Logo: TPicture_ads\r\n  Picture.Data = {" + hex + "}\r\nend\r\n",
      "object TPicture_ads\n  Picture.Data = {" + lower + "}\nend",
      "OBJECT TPicture_ads Picture.Data={" + spaced + "} END\r\n\r\n",
  };
  for (const auto& t : texts) {
    TPicture p;
    ClearPictureError();
    EXPECT_TRUE(StringToPicture_ads(t, p)) << t.substr(0, 60);
    EXPECT_FALSE(PictureErrorRaised());
    EXPECT_EQ(p, png);
  }
  TPicture none = png;
  EXPECT_TRUE(StringToPicture_ads(Text("00"), none));
  EXPECT_TRUE(none.Empty()) << "length 0: no picture";
}

struct BadText {
  const char* name;
  std::string text;
};

std::vector<BadText> BadTexts() {
  const std::string bmp = MakeBmp(2, 2);
  const std::string bmp_payload = Hex(std::string("\x07TBitmap", 8)) + Hex(std::string("\x46\x00\x00\x00", 4)) + Hex(bmp);
  const std::string png_payload = Hex(std::string("\x0ATPNGObject", 11)) + Hex(MakePng(2, 2));
  std::string good = Text(bmp_payload);
  return {
      {"empty", ""},
      {"odd_digit_count", Text(bmp_payload + "0")},
      {"bad_digit", Text("0G")},
      {"no_closing_brace", "object TPicture_ads\r\n  Picture.Data = {0754\r\nend\r\n"},
      {"no_end", "object TPicture_ads\r\n  Picture.Data = {00}\r\n"},
      {"other_class", "object TPicture\r\n  Picture.Data = {00}\r\nend\r\n"},
      {"other_property", "object TPicture_ads\r\n  Picture.Bits = {00}\r\nend\r\n"},
      {"property_twice", "object TPicture_ads\r\n  Picture.Data = {00}\r\n  Picture.Data = {00}\r\nend\r\n"},
      {"not_a_binary_block", "object TPicture_ads\r\n  Picture.Data = 'text'\r\nend\r\n"},
      {"no_property", "object TPicture_ads\r\nend\r\n"},
      {"empty_block", Text("")},
      {"trailing_text", good + "object"},
      {"nested_object", "object TPicture_ads\r\n  object X: TPicture_ads\r\n  end\r\nend\r\n"},
      {"unknown_kind_gif", Text(Hex(std::string("\x0BTJvGIFImage", 12)) + "00000000")},
      {"unknown_kind", Text(Hex(std::string("\x05TFoo1", 6)))},
      {"class_name_over_63", Text(Hex(std::string(1, '\x40') + std::string(64, 'T')))},
      {"class_name_cut", Text(Hex(std::string("\x07TBit", 5)))},
      {"size_field_cut", Text(Hex(std::string("\x07TBitmap\x10\x00", 10)))},
      {"payload_shorter_than_size", Text(Hex(std::string("\x07TBitmap", 8)) + Hex(std::string("\x47\x00\x00\x00", 4)) + Hex(bmp))},
      {"payload_longer_than_size", Text(Hex(std::string("\x07TBitmap", 8)) + Hex(std::string("\x45\x00\x00\x00", 4)) + Hex(bmp))},
      {"bitmap_not_bm", Text(Hex(std::string("\x07TBitmap\x04\x00\x00\x00XXXX", 12)))},
      {"png_garbage", Text(Hex(std::string("\x0ATPNGObject", 11)) + "0102030405")},
      {"png_cut", Text(png_payload.substr(0, 60))},
      {"jpeg_garbage", Text(Hex(std::string("\x0ATJPEGImage\x02\x00\x00\x00\xFF\xD8", 17)))},
      {"icon_garbage", Text(Hex(std::string("\x05TIcon\x00\x00\x01\x00\x00\x00", 12)))},
  };
}

TEST(PictureStringsTest, MalformedTextsFailAndLeaveThePicture) {
  const TPicture sentinel = PictureOf(PictureKind::Bitmap, MakeBmp(16, 16));
  for (const auto& b : BadTexts()) {
    TPicture p = sentinel;
    ClearPictureError();
    EXPECT_FALSE(StringToPicture_ads(b.text, p)) << b.name;
    EXPECT_TRUE(PictureErrorRaised()) << b.name;
    EXPECT_EQ(p, sentinel) << b.name;
  }
}

TEST(PictureStringsTest, ComponentIsUnchangedByAFailedRead) {
  TPicture_ads c{"keep"};
  ClearPictureError();
  EXPECT_FALSE(StringToComponent("object TPicture_ads\r\n  Picture.Data = {0}\r\nend\r\n", c));
  EXPECT_EQ(c.PictureData, "keep");
  EXPECT_TRUE(PictureErrorRaised());
  // the indication stays raised until the caller clears it
  EXPECT_TRUE(StringToComponent(ComponentToString(TPicture_ads{"\x01"}), c));
  EXPECT_TRUE(PictureErrorRaised());
  ClearPictureError();
  EXPECT_FALSE(PictureErrorRaised());
}

TEST(PictureStringsTest, TheErrorIndicationBelongsToEachThread) {
  ClearPictureError();
  std::thread other([] {
    TPicture p;
    ClearPictureError();
    EXPECT_FALSE(StringToPicture_ads("not a picture", p));
    EXPECT_TRUE(PictureErrorRaised());
  });
  other.join();
  EXPECT_FALSE(PictureErrorRaised()) << "a failure on another thread is not ours";
}

TEST(PictureStringsTest, APictureWithoutBytesIsNotConverted) {
  TPicture broken;
  broken.Kind = PictureKind::Png;
  ClearPictureError();
  EXPECT_EQ(PictureToString_ads(broken), "");
  EXPECT_TRUE(PictureErrorRaised());
}

}  // namespace
}  // namespace pc::project
