// Writing and reading record container files: record framing, the flag
// combinations, handler protocol and the result codes of Load and Save.
#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>

#include "storage/byte_codec.h"
#include "storage/kl_crc.h"
#include "storage/kl_file.h"
#include "storage/kl_record_writer.h"
#include "storage_test_util.h"

namespace pc::storage {
namespace {

using testing::Bytes;
using testing::ContainerBytes;
using testing::kFixedTime;
using testing::kTestFileKey;
using testing::kTestMaster;
using testing::kZeroKey;
using testing::ReadBytes;
using testing::Rec;


TEST(KlCrcTest, MatchesTheStandardCheckValue) {
  EXPECT_EQ(KlCrc32(0, "123456789"), 0xCBF43926u);
  EXPECT_EQ(KlCrc32(KlCrc32(0, "1234"), "56789"), 0xCBF43926u);
  EXPECT_EQ(KlCrc32(0, ""), 0u);
}

struct HeadCase {
  std::uint32_t length;
  bool crc;
  std::string head;  // after the type byte
};

TEST(KlRecordHeadTest, ShortestLengthForm) {
  const HeadCase cases[] = {
      {1, false, Bytes({0x00})},
      {16, false, Bytes({0x0F})},
      {16, true, Bytes({0x4F})},
      {17, false, Bytes({0x80, 0x11})},
      {255, false, Bytes({0x80, 0xFF})},
      {256, false, Bytes({0x81, 0x01, 0x00})},
      {300, false, Bytes({0x81, 0x01, 0x2C})},
      {300, true, Bytes({0xC1, 0x01, 0x2C})},
      {65535, false, Bytes({0x81, 0xFF, 0xFF})},
      {65536, false, Bytes({0x82, 0x01, 0x00, 0x00})},
      {16777215, false, Bytes({0x82, 0xFF, 0xFF, 0xFF})},
  };
  for (const auto& c : cases) {
    const std::string head = KlRecordHead(2, 4, c.length, c.crc);
    EXPECT_EQ(head.substr(0, 1), Bytes({0x24})) << c.length;
    EXPECT_EQ(head.substr(1), c.head) << c.length;
  }
}

// Records of every size class, with and without checksum.
std::vector<Rec> SampleRecords() {
  std::vector<Rec> v;
  v.push_back({1, 0, "2007.07 Beta", false});
  v.push_back({1, 1, Bytes({2}), true});
  v.push_back({2, 4, std::string(16, 'a'), false});
  v.push_back({2, 4, std::string(17, 'b'), true});
  v.push_back({2, 5, std::string(256, 'c'), false});
  v.push_back({3, 6, std::string(70000, '\xA5'), true});
  std::string mixed;
  for (int i = 0; i < 20000; ++i) mixed.push_back(static_cast<char>((i * 7919) >> 3));
  v.push_back({4, 4, mixed, false});
  v.push_back({15, 15, "last", true});
  return v;
}

struct FlagCase {
  const char* name;
  int level;
  bool scrambled;
  int flag_byte;
};

class KlRoundTripTest : public ::testing::TestWithParam<FlagCase> {};

TEST_P(KlRoundTripTest, RecordsComeBackInOrderWithNumbersAndIndexes) {
  const FlagCase& c = GetParam();
  const KlKey key = c.scrambled ? kTestFileKey : kZeroKey;
  const auto recs = SampleRecords();
  const std::string bytes = ContainerBytes(recs, key, c.level, " - PrijsCorrectum Project");

  // header as plain bytes
  const std::string head = std::string(":KelvarionSPE(tm) - PrijsCorrectum Project") + '\0';
  ASSERT_EQ(bytes.substr(0, head.size()), head);
  EXPECT_EQ(static_cast<unsigned char>(bytes[head.size()]), c.flag_byte);
  EXPECT_EQ(bytes.substr(head.size() + 1, 3), std::string(3, '\0'));
  std::size_t at = head.size() + 4;
  if (c.scrambled) {
    EXPECT_EQ(bytes.substr(at, 8), std::string(kTestFileKey.begin(), kTestFileKey.end()));
    at += 8;
  }
  EXPECT_EQ(bytes[at], '\x01');

  const auto out = ReadBytes(bytes);
  ASSERT_EQ(out.result, KlReadResult::Ok);
  ASSERT_EQ(out.records, recs);
  // the three container records come first and are not handed on
  EXPECT_EQ(out.records[0].number, 4u);
  const std::uint32_t indexes[] = {1, 1, 1, 2, 1, 1, 1, 1};
  for (std::size_t i = 0; i < recs.size(); ++i) {
    EXPECT_EQ(out.records[i].number, 4 + i);
    EXPECT_EQ(out.records[i].index, indexes[i]) << i;
  }

  TKlFile reader("", "x");
  std::vector<Rec> ignored;
  testing::CollectRecords(reader, ignored);
  ASSERT_EQ(reader.LoadBytes(bytes, kTestMaster), KlReadResult::Ok);
  EXPECT_EQ(reader.FormatVersion, 2);
  EXPECT_EQ(reader.WriteTime, kFixedTime);
}

INSTANTIATE_TEST_SUITE_P(
    AllFlagCombinations, KlRoundTripTest,
    ::testing::Values(FlagCase{"plain", 0, false, 0x00}, FlagCase{"scrambled", 0, true, 0x40},
                      FlagCase{"fastest", 1, false, 0x20}, FlagCase{"default", 2, false, 0x20},
                      FlagCase{"best", 3, false, 0x20},
                      FlagCase{"default_scrambled", 2, true, 0x60},
                      FlagCase{"best_scrambled", 3, true, 0x60}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(KlFileTest, ManySmallRecordsAcrossBlockBoundaries) {
  // Records of 1..300 bytes, some with checksums, so that record heads,
  // data and checksums fall on every side of the 8192-byte blocks.
  std::vector<Rec> recs;
  for (int i = 0; i < 4000; ++i) {
    std::string data(static_cast<std::size_t>(1 + (i * 37) % 300), static_cast<char>(i));
    recs.push_back({2, 4, data, i % 3 == 0});
  }
  for (int level : {0, 1}) {
    for (const KlKey& key : {kZeroKey, kTestFileKey}) {
      const auto out = ReadBytes(ContainerBytes(recs, key, level));
      ASSERT_EQ(out.result, KlReadResult::Ok) << level;
      ASSERT_EQ(out.records, recs) << level;
      EXPECT_EQ(out.records.back().index, 4000u);
    }
  }
}

TEST(KlFileTest, PlainFileHasTheDocumentedRecordBytes) {
  const std::string bytes = ContainerBytes({{2, 4, "A", false}, {2, 4, std::string(17, 'z'), true}},
                                           kZeroKey, 0, "");
  std::string expect = std::string(":KelvarionSPE(tm)") + '\0' + std::string(4, '\0') + '\x01';
  auto rec = [&](int tb, std::string lenflags, std::string data, bool crc) {
    std::string r = std::string(1, static_cast<char>(tb)) + lenflags + data;
    if (crc) PutUint32(r, KlCrc32(0, r));
    expect += r;
  };
  rec(0x01, Bytes({0x40}), Bytes({2}), true);
  std::string t;
  PutDouble(t, kFixedTime);
  rec(0x02, Bytes({0x47}), t, true);
  rec(0x03, Bytes({0x47}), std::string(8, '\0'), true);
  rec(0x24, Bytes({0x00}), "A", false);
  rec(0x24, Bytes({0xC0, 0x11}), std::string(17, 'z'), true);
  expect.push_back('\0');
  EXPECT_EQ(bytes, expect);
}

TEST(KlFileTest, ScramblingXorsTheSectionWithFileKeyAndMasterKey) {
  const std::vector<Rec> recs = {{1, 0, std::string(40, 'q'), false}};
  const std::string plain = ContainerBytes(recs, kZeroKey, 0, "d");
  const std::string scrambled = ContainerBytes(recs, kTestFileKey, 0, "d");
  const std::size_t plain_start = std::string(":KelvarionSPE(tm)d").size() + 1 + 4 + 1;
  const std::size_t scr_start = plain_start + 8;
  ASSERT_EQ(plain.size() - plain_start, scrambled.size() - scr_start);
  for (std::size_t j = 0; j < plain.size() - plain_start; ++j) {
    const auto k = static_cast<std::uint8_t>(kTestFileKey[j % 8] ^ kTestMaster[j % 8]);
    ASSERT_EQ(static_cast<std::uint8_t>(scrambled[scr_start + j]),
              static_cast<std::uint8_t>(plain[plain_start + j]) ^ k)
        << j;
  }
}

TEST(KlFileTest, CompressedSectionIsOneZlibStreamOfThePlainRecords) {
  const auto recs = SampleRecords();
  const std::string plain = ContainerBytes(recs, kZeroKey, 0, "d");
  const std::string packed = ContainerBytes(recs, kZeroKey, 2, "d");
  const std::size_t start = std::string(":KelvarionSPE(tm)d").size() + 1 + 4 + 1;
  std::string out(plain.size(), '\0');
  uLongf out_len = static_cast<uLongf>(out.size());
  ASSERT_EQ(uncompress(reinterpret_cast<Bytef*>(out.data()), &out_len,
                       reinterpret_cast<const Bytef*>(packed.data() + start),
                       static_cast<uLong>(packed.size() - start)),
            Z_OK);
  EXPECT_EQ(out.substr(0, out_len), plain.substr(start));
}

TEST(KlFileTest, ReadHandlerStopEndsWithSuccessAtOnce) {
  const std::string bytes = ContainerBytes(SampleRecords(), kTestFileKey, 2);
  TKlFile file("", "x");
  int calls = 0;
  file.OnReadRecord = [&](TKlFile& f, std::uint32_t, std::uint32_t, std::uint8_t kind,
                          std::uint8_t type, std::string_view data, bool& stop) {
    ++calls;
    EXPECT_EQ(f.RecordData, data);
    if (kind == 2 && type == 4) stop = true;
  };
  EXPECT_EQ(file.LoadBytes(bytes, kTestMaster), KlReadResult::Ok);
  EXPECT_EQ(calls, 3);
}

TEST(KlFileTest, WriteHandlerProtocol) {
  TKlFile file("", "x");
  file.Clock = [] { return 1.0; };
  std::vector<std::tuple<std::uint32_t, std::uint32_t, int, int>> calls;
  file.OnWriteRecord = [&](TKlFile&, std::uint32_t number, std::uint32_t index, std::uint8_t kind,
                           std::uint8_t type, std::string& data, bool& crc, bool& stop) {
    EXPECT_TRUE(data.empty());
    EXPECT_FALSE(crc);
    EXPECT_TRUE(stop);
    if (kind == 2 && type == 4) {
      calls.emplace_back(number, index, kind, type);
      if (index <= 2) data = "v";   // two records, then a call with no data
      stop = index == 3;
    }
  };
  std::string out;
  ASSERT_EQ(file.SaveBytes(out, "", kZeroKey, kTestMaster, 0), KlWriteResult::Ok);
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0], std::make_tuple(4u, 1u, 2, 4));
  EXPECT_EQ(calls[1], std::make_tuple(5u, 2u, 2, 4));
  EXPECT_EQ(calls[2], std::make_tuple(6u, 3u, 2, 4));
}

TEST(KlFileTest, OversizedRecordDataFailsTheWrite) {
  TKlFile file("", "x");
  file.OnWriteRecord = [](TKlFile&, std::uint32_t, std::uint32_t, std::uint8_t kind,
                          std::uint8_t, std::string& data, bool&, bool&) {
    if (kind == 1) data.assign(kKlMaxRecordLength + 1, 'x');
  };
  std::string out = "untouched";
  EXPECT_EQ(file.SaveBytes(out, "", kZeroKey, kTestMaster, 1), KlWriteResult::WriteFailed);
  EXPECT_EQ(out, "untouched");
}

TEST(KlFileTest, DescriptionIsCutAtAByteZero) {
  const std::string bytes = ContainerBytes({{1, 0, "v", false}}, kZeroKey, 0,
                                           std::string_view("ab\0cd", 5));
  EXPECT_EQ(bytes.substr(0, 20), std::string(":KelvarionSPE(tm)ab") + '\0');
  EXPECT_EQ(ReadBytes(bytes).result, KlReadResult::Ok);
}

TEST(KlFileTest, AccessorsReadInsideTheRecordOnly) {
  TKlFile f("", "x");
  f.RecordData = Bytes({0x07, 0x03, 0x01, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F});
  EXPECT_EQ(f.GetByte(1), 7);
  EXPECT_EQ(f.GetWord(2), 0x0103);
  EXPECT_EQ(f.GetDouble(4), 1.0);
  EXPECT_EQ(f.GetTail(10), Bytes({0xF0, 0x3F}));
  EXPECT_TRUE(f.GetBool(1));
  // past the end: zero or empty, never a read outside
  EXPECT_EQ(f.GetByte(0), 0);
  EXPECT_EQ(f.GetByte(12), 0);
  EXPECT_EQ(f.GetWord(11), 0);
  EXPECT_EQ(f.GetDouble(5), 0.0);
  EXPECT_EQ(f.GetTail(12), "");
  f.RecordData.clear();
  EXPECT_EQ(f.GetWord(1), 0);
  EXPECT_EQ(f.GetDouble(1), 0.0);
}

TEST(KlFileTest, FolderGetsATrailingSeparator) {
  EXPECT_EQ(TKlFile("/tmp", "a.kvp").Folder, "/tmp/");
  EXPECT_EQ(TKlFile("/tmp/", "a.kvp").Folder, "/tmp/");
  // A backslash is part of a name here, not a separator.
  EXPECT_EQ(TKlFile("Werk\\", "a.kvp").Folder, "Werk\\/");
  EXPECT_EQ(TKlFile("", "a.kvp").Folder, "");
}

}  // namespace
}  // namespace pc::storage
