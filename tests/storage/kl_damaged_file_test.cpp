// Damaged and hostile container files: each gets its read code, never a
// crash, a hang or an allocation beyond the file's real contents. Also the
// file-level codes of Load and Save and the safety of an existing file when
// a save fails.
#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>

#include "fault_file_system.h"
#include "storage/byte_codec.h"
#include "storage/kl_crc.h"
#include "storage/kl_file.h"
#include "storage_test_util.h"

namespace pc::storage {
namespace {

using testing::Bytes;
using testing::ContainerBytes;
using testing::kTestFileKey;
using testing::kTestMaster;
using testing::kZeroKey;
using testing::ReadBytes;
using testing::Rec;


const std::string kPlainHead = std::string(":KelvarionSPE(tm)") + '\0' + std::string(4, '\0') + '\x01';
std::string Head(int flags) {
  return std::string(":KelvarionSPE(tm)") + '\0' + static_cast<char>(flags) + std::string(3, '\0') + '\x01';
}

std::string Deflate(const std::string& plain, int flush = Z_FINISH) {
  z_stream zs{};
  deflateInit(&zs, 6);
  std::string out(plain.size() + 64, '\0');
  zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(plain.data()));
  zs.avail_in = static_cast<uInt>(plain.size());
  zs.next_out = reinterpret_cast<Bytef*>(out.data());
  zs.avail_out = static_cast<uInt>(out.size());
  deflate(&zs, flush);
  out.resize(zs.total_out);
  deflateEnd(&zs);
  return out;
}

std::string WithCrc(std::string rec) {
  PutUint32(rec, KlCrc32(0, rec));
  return rec;
}

struct DamageCase {
  const char* name;
  std::string bytes;
  KlReadResult expect;
  std::size_t records_before;  // records handed on before the failure
};

std::vector<DamageCase> DamageCases() {
  const std::string rec_a = Bytes({0x21, 0x00, 'A'});
  const std::string rec_b = WithCrc(Bytes({0x22, 0x41, 'B', 'b'}));
  const std::string good_section = rec_a + rec_b + '\0';
  std::string bad_crc = rec_b;
  bad_crc[2] = 'X';
  std::string bad_adler = Deflate(good_section);
  bad_adler.back() ^= 0x55;
  std::string preset_dict = Deflate(good_section);
  preset_dict[1] = static_cast<char>(0x20 | 0x18);  // FDICT set, header check kept valid: 0x78 0x3B? recomputed below
  {
    const int cmf = 0x78;
    int flg = 0x20;
    while ((cmf * 256 + flg) % 31 != 0) ++flg;
    preset_dict[1] = static_cast<char>(flg);
  }
  const std::string trailer_body = Head(0x80) + good_section + '\xFF';
  std::string good_trailer = trailer_body;
  PutUint32(good_trailer, KlCrc32(0, trailer_body));
  std::string bad_trailer = trailer_body;
  PutUint32(bad_trailer, KlCrc32(0, trailer_body) ^ 1);

  std::string all_flags;
  {
    // compressed, scrambled, with trailer
    const std::string packed = Deflate(good_section);
    std::string h = std::string(":KelvarionSPE(tm)") + '\0' + '\xE0' + std::string(3, '\0');
    h.append(kTestFileKey.begin(), kTestFileKey.end());
    h.push_back('\x01');
    for (std::size_t j = 0; j < packed.size(); ++j)
      h.push_back(static_cast<char>(packed[j] ^ kTestFileKey[j % 8] ^ kTestMaster[j % 8]));
    h.push_back('\xFF');
    PutUint32(h, KlCrc32(0, h));
    all_flags = h;
  }

  return {
      {"empty_file", "", KlReadResult::UnexpectedEnd, 0},
      {"magic_without_header_end", ":KelvarionSPE(tm) desc", KlReadResult::UnexpectedEnd, 0},
      {"flag_word_cut", std::string(":K") + '\0' + "\x00\x00", KlReadResult::UnexpectedEnd, 0},
      {"no_start_marker", std::string("x") + '\0' + std::string(4, '\0') + "\x05\x07", KlReadResult::UnexpectedEnd, 0},
      {"ends_after_start_marker", kPlainHead, KlReadResult::UnexpectedEnd, 0},
      {"other_magic_still_reads", std::string("NotOurs") + '\0' + std::string(4, '\0') + '\x01' + good_section, KlReadResult::Ok, 2},
      {"good_plain", kPlainHead + good_section, KlReadResult::Ok, 2},
      {"no_end_byte", kPlainHead + rec_a + rec_b, KlReadResult::UnexpectedEnd, 2},
      {"record_checksum_wrong", kPlainHead + rec_a + bad_crc + '\0', KlReadResult::RecordChecksum, 1},
      {"record_cut_short", kPlainHead + rec_a + Bytes({0x23, 0x81, 0x01, 0x2C}) + "only ten..", KlReadResult::UnexpectedEnd, 1},
      {"five_length_bytes", kPlainHead + rec_a + Bytes({0x23, 0x84, 0, 0, 0, 0, 1, 'x'}), KlReadResult::UnexpectedEnd, 1},
      {"length_near_2_pow_32", kPlainHead + Bytes({0x23, 0x83, 0xFF, 0xFF, 0xFF, 0xFF}) + std::string(100, 'x'), KlReadResult::UnexpectedEnd, 0},
      {"length_2_pow_24", kPlainHead + Bytes({0x23, 0x83, 0x01, 0x00, 0x00, 0x00}) + std::string(100, 'x'), KlReadResult::UnexpectedEnd, 0},
      {"four_length_bytes_small", kPlainHead + Bytes({0x23, 0x83, 0, 0, 0, 2, 'h', 'i', 0}), KlReadResult::Ok, 1},
      {"zero_length_record", kPlainHead + Bytes({0x23, 0x80, 0x00}) + rec_a + '\0', KlReadResult::Ok, 2},
      {"trailer_good", good_trailer, KlReadResult::Ok, 2},
      {"trailer_checksum_wrong", bad_trailer, KlReadResult::FileChecksum, 2},
      {"trailer_missing", Head(0x80) + good_section, KlReadResult::UnexpectedEnd, 2},
      {"trailer_cut", good_trailer.substr(0, good_trailer.size() - 2), KlReadResult::UnexpectedEnd, 2},
      {"all_flags_with_trailer", all_flags, KlReadResult::Ok, 2},
      {"zlib_good", Head(0x20) + Deflate(good_section), KlReadResult::Ok, 2},
      {"zlib_ends_early", Head(0x20) + Deflate(good_section).substr(0, 2), KlReadResult::UnexpectedEnd, 0},
      {"zlib_never_ends", Head(0x20) + Deflate(rec_a + rec_b, Z_SYNC_FLUSH), KlReadResult::UnexpectedEnd, 2},
      {"zlib_stream_ends_without_end_byte", Head(0x20) + Deflate(rec_a + rec_b), KlReadResult::UnexpectedEnd, 2},
      {"zlib_garbage", Head(0x20) + "this is not a zlib stream at all", KlReadResult::CorruptData, 0},
      {"zlib_preset_dictionary", Head(0x20) + preset_dict, KlReadResult::CorruptData, 0},
      {"zlib_check_value_wrong_after_end_byte", Head(0x20) + bad_adler, KlReadResult::CorruptData, 2},
      {"zlib_cut_inside_check_value", Head(0x20) + Deflate(good_section).substr(0, Deflate(good_section).size() - 2), KlReadResult::CorruptData, 2},
      {"zlib_never_ends_after_end_byte", Head(0x20) + Deflate(good_section, Z_SYNC_FLUSH), KlReadResult::CorruptData, 2},
      {"zlib_bytes_after_stream_ignored", Head(0x20) + Deflate(good_section) + "\x78\x9C trailing bytes", KlReadResult::Ok, 2},
      {"zlib_plain_bytes_after_end_byte_dropped", Head(0x20) + Deflate(good_section + "\x21\x00Z more"), KlReadResult::Ok, 2},
      {"bytes_after_end_byte_ignored", kPlainHead + good_section + "\x35\x8F garbage", KlReadResult::Ok, 2},
  };
}

TEST(KlDamagedFileTest, EachDamageGivesItsReadCode) {
  for (const auto& c : DamageCases()) {
    const auto out = ReadBytes(c.bytes);
    EXPECT_EQ(ToInt(out.result), ToInt(c.expect)) << c.name;
    EXPECT_EQ(out.records.size(), c.records_before) << c.name;
  }
}

// The trailer follows the zlib stream; the stream's own last bytes may hold
// 0xFF and must not be taken for the trailer marker.
TEST(KlDamagedFileTest, CompressedFileWithTrailerReadsWhateverTheStreamEndsWith) {
  int streams_holding_ff = 0;
  for (int filler = 0; filler < 64; ++filler) {
    const std::string section = Bytes({0x21, 0x00, 'A'}) + std::string(1, '\0') +
                                std::string(static_cast<std::size_t>(filler), 'q');
    const std::string packed = Deflate(section);
    if (packed.substr(2).find('\xFF') != std::string::npos) ++streams_holding_ff;
    std::string file = Head(0xA0) + packed + '\xFF';
    PutUint32(file, KlCrc32(0, file));
    const auto out = ReadBytes(file);
    EXPECT_EQ(out.result, KlReadResult::Ok) << filler;
    EXPECT_EQ(out.records.size(), 1u) << filler;
  }
  EXPECT_GT(streams_holding_ff, 0);
}

TEST(KlDamagedFileTest, WrongMasterKeyIsCorruptDataForCompressedFiles) {
  const std::string bytes = ContainerBytes({{1, 0, "2007.07 Beta", false}}, kTestFileKey, 2);
  KlKey wrong = kTestMaster;
  wrong[0] ^= 0x01;
  wrong[1] ^= 0x80;
  const auto out = ReadBytes(bytes, wrong);
  EXPECT_EQ(out.result, KlReadResult::CorruptData);
  EXPECT_TRUE(out.records.empty());
}

TEST(KlDamagedFileTest, WrongMasterKeyHandsOnNoRecordOfScrambledPlainFiles) {
  // Uncompressed: the garbled container records fail their checksums, or a
  // garbled type byte reads as the end byte; either way nothing is handed on
  // (the storage image then lacks its document header).
  const std::string bytes = ContainerBytes({{1, 0, "2007.07 Beta", false}}, kTestFileKey, 0);
  for (int bit = 0; bit < 64; ++bit) {
    KlKey wrong = kTestMaster;
    wrong[static_cast<std::size_t>(bit / 8)] ^= static_cast<std::uint8_t>(1 << (bit % 8));
    const auto out = ReadBytes(bytes, wrong);
    EXPECT_TRUE(out.records.empty()) << bit;
  }
}

std::vector<Rec> SmallRecords() {
  return {{1, 0, "2007.07 Beta", false}, {1, 1, Bytes({2}), false},
          {2, 2, Bytes({1}) + "Loon", false}, {2, 4, std::string(17, 'f'), false}};
}

TEST(KlDamagedFileTest, EveryTruncationIsReported) {
  int cut_after_end_byte = 0;
  for (int level : {0, 2}) {
    for (const KlKey& key : {kZeroKey, kTestFileKey}) {
      const std::string bytes = ContainerBytes(SmallRecords(), key, level);
      ASSERT_EQ(ReadBytes(bytes).result, KlReadResult::Ok);
      for (std::size_t len = 0; len < bytes.size(); ++len) {
        const auto out = ReadBytes(std::string_view(bytes).substr(0, len));
        // The compressed stream's check value follows the end byte: a cut
        // after the end byte leaves a stream that never ends.
        if (level == 2 && out.records.size() == SmallRecords().size() &&
            out.result == KlReadResult::CorruptData) {
          ++cut_after_end_byte;
          continue;
        }
        EXPECT_EQ(out.result, KlReadResult::UnexpectedEnd) << "level " << level << " len " << len;
      }
    }
  }
  EXPECT_GE(cut_after_end_byte, 2 * 4);  // at least the four bytes of the check value, per key
}

TEST(KlDamagedFileTest, FlippedBytesNeverCrashAndCompressedDamageIsReported) {
  const std::string bytes = ContainerBytes(SmallRecords(), kTestFileKey, 2);
  const std::size_t section = std::string(":KelvarionSPE(tm) - test").size() + 1 + 4 + 8 + 1;
  int reported = 0, total = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    for (int mask : {0x01, 0x80, 0xFF}) {
      std::string damaged = bytes;
      damaged[i] = static_cast<char>(damaged[i] ^ mask);
      const auto out = ReadBytes(damaged);
      const int code = ToInt(out.result);
      EXPECT_TRUE(code == 0 || (code >= 6 && code <= 9)) << i;
      if (i >= section) {
        ++total;
        if (out.result != KlReadResult::Ok)
          ++reported;
        else  // only the stream's unused padding bits may change unnoticed
          EXPECT_EQ(out.records, SmallRecords()) << i << " " << mask;
      }
    }
  }
  // the stream's check value covers every record, also those without a
  // checksum of their own
  EXPECT_GT(reported, total * 95 / 100);
}

TEST(KlDamagedFileTest, RecordsBeforeABadChecksumAreHandedOn) {
  std::vector<Rec> recs = {{2, 2, "first", true}, {2, 3, "second", true}, {2, 4, "third", true}};
  std::string bytes = ContainerBytes(recs, kZeroKey, 0);
  bytes[bytes.find("second")] = 'S';
  const auto out = ReadBytes(bytes);
  EXPECT_EQ(out.result, KlReadResult::RecordChecksum);
  ASSERT_EQ(out.records.size(), 1u);
  EXPECT_EQ(out.records[0].data, "first");
}

// ---- codes of the file level ----

class KlFileCodesTest : public ::testing::Test {
 protected:
  testing::ScratchFolder dir;
  std::vector<Rec> read;
  void Collect(TKlFile& f) { testing::CollectRecords(f, read); }
};

TEST_F(KlFileCodesTest, LoadCodes) {
  TKlFile no_handler(dir.Folder(), "a.kvp");
  EXPECT_EQ(no_handler.Load(kTestMaster), KlReadResult::NoReadHandler);

  TKlFile missing_folder(dir.Folder() + "nope", "a.kvp");
  Collect(missing_folder);
  EXPECT_EQ(missing_folder.Load(kTestMaster), KlReadResult::FolderMissing);

  TKlFile missing_file(dir.Folder(), "a.kvp");
  Collect(missing_file);
  EXPECT_EQ(missing_file.Load(kTestMaster), KlReadResult::FileMissing);

  std::filesystem::create_directory(dir.File("folder.kvp"));
  TKlFile not_a_file(dir.Folder(), "folder.kvp");
  Collect(not_a_file);
  EXPECT_EQ(not_a_file.Load(kTestMaster), KlReadResult::OpenFailed);

  // a read error in the second block
  std::string big = ContainerBytes({{3, 6, std::string(30000, 'L'), true}}, kTestFileKey, 0);
  testing::WriteWholeFile(dir.File("big.kvp"), big);
  testing::FaultFileSystem fs;
  fs.fail_read_at = 2;
  TKlFile failing(dir.Folder(), "big.kvp");
  Collect(failing);
  failing.Fs = &fs;
  EXPECT_EQ(failing.Load(kTestMaster), KlReadResult::ReadFailed);

  TKlFile good(dir.Folder(), "big.kvp");
  Collect(good);
  EXPECT_EQ(good.Load(kTestMaster), KlReadResult::Ok);
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(read[0].data.size(), 30000u);
}

TEST_F(KlFileCodesTest, SaveWritesAFileThatLoadsAndCreatesMissingFolders) {
  const auto recs = SmallRecords();
  TKlFile w(dir.Folder() + "a/b/c", "p.kvp");
  testing::ProduceRecords(w, recs);
  ASSERT_EQ(w.Save(" - d", kTestFileKey, kTestMaster, 2), KlWriteResult::Ok);
  EXPECT_EQ(testing::ReadWholeFile(dir.File("a/b/c/p.kvp")), ContainerBytes(recs, kTestFileKey, 2, " - d"));
  TKlFile r(dir.Folder() + "a/b/c", "p.kvp");
  Collect(r);
  EXPECT_EQ(r.Load(kTestMaster), KlReadResult::Ok);
  EXPECT_EQ(read, recs);
}

struct SaveFault {
  const char* name;
  int fail_append_at;
  bool fail_commit;
  bool fail_create;
  KlWriteResult expect;
};

TEST_F(KlFileCodesTest, FailedSaveLeavesTheOldFileUntouched) {
  const std::string old_bytes = "the previous file, byte for byte";
  // enough data for several 8192-byte blocks
  std::string noise;
  for (int i = 0; i < 60000; ++i) noise.push_back(static_cast<char>((i * 2654435761u) >> 24));
  const std::vector<Rec> recs = {{3, 6, noise, true}};
  const SaveFault faults[] = {
      {"create", 0, false, true, KlWriteResult::FileNotCreated},
      {"header_write", 1, false, false, KlWriteResult::WriteFailed},
      {"first_block", 2, false, false, KlWriteResult::WriteFailed},
      {"later_block", 4, false, false, KlWriteResult::WriteFailed},
      {"commit", 0, true, false, KlWriteResult::WriteFailed},
  };
  for (const auto& f : faults) {
    testing::WriteWholeFile(dir.File("p.kvp"), old_bytes);
    testing::FaultFileSystem fs;
    fs.fail_append_at = f.fail_append_at;
    fs.fail_commit = f.fail_commit;
    fs.fail_create = f.fail_create;
    TKlFile w(dir.Folder(), "p.kvp");
    w.Fs = &fs;
    testing::ProduceRecords(w, recs);
    EXPECT_EQ(w.Save("", kTestFileKey, kTestMaster, 0), f.expect) << f.name;
    EXPECT_EQ(testing::ReadWholeFile(dir.File("p.kvp")), old_bytes) << f.name;
    EXPECT_EQ(dir.EntryCount(), 1u) << f.name << ": temporary file left behind";
  }
}

TEST_F(KlFileCodesTest, SaveCodesBeforeWriting) {
  TKlFile no_handler(dir.Folder(), "p.kvp");
  EXPECT_EQ(no_handler.Save("", kZeroKey, kTestMaster, 0), KlWriteResult::NoWriteHandler);

  testing::WriteWholeFile(dir.File("blocker"), "a file where a folder should be");
  TKlFile no_folder(dir.Folder() + "blocker/sub", "p.kvp");
  testing::ProduceRecords(no_folder, SmallRecords());
  EXPECT_EQ(no_folder.Save("", kZeroKey, kTestMaster, 0), KlWriteResult::FolderNotCreated);

  testing::WriteWholeFile(dir.File("p.kvp"), "old");
  TKlFile declined(dir.Folder(), "p.kvp");
  testing::ProduceRecords(declined, SmallRecords());
  int asked = 0;
  declined.OnConfirmOverwrite = [&](TKlFile&, bool& proceed) {
    ++asked;
    EXPECT_TRUE(proceed);
    proceed = false;
  };
  EXPECT_EQ(declined.Save("", kZeroKey, kTestMaster, 0), KlWriteResult::OverwriteDeclined);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(testing::ReadWholeFile(dir.File("p.kvp")), "old");

  std::filesystem::create_directory(dir.File("folder.kvp"));
  TKlFile onto_folder(dir.Folder(), "folder.kvp");
  testing::ProduceRecords(onto_folder, SmallRecords());
  EXPECT_EQ(onto_folder.Save("", kZeroKey, kTestMaster, 0), KlWriteResult::FileNotCreated);
  EXPECT_TRUE(std::filesystem::is_directory(dir.File("folder.kvp")));
}

}  // namespace
}  // namespace pc::storage
