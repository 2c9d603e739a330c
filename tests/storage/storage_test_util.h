#pragma once
// Helpers shared by the storage tests: records as plain values, a container
// written from a list of them, and a scratch folder per test.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <unistd.h>
#include <string>
#include <vector>

#include "storage/kl_file.h"

namespace pc::storage::testing {

struct Rec {
  std::uint8_t kind = 0;
  std::uint8_t type = 0;
  std::string data;
  bool crc = false;
  std::uint32_t number = 0;  // filled in when read
  std::uint32_t index = 0;
  friend bool operator==(const Rec& a, const Rec& b) {
    return a.kind == b.kind && a.type == b.type && a.data == b.data;
  }
};

// Bytes written as a list of numbers.
inline std::string Bytes(std::initializer_list<int> v) {
  std::string s;
  for (int b : v) s.push_back(static_cast<char>(b));
  return s;
}

inline constexpr double kFixedTime = 46000.5;  // a fixed write time for repeatable bytes
inline const KlKey kZeroKey{};
inline const KlKey kTestMaster{0x5A, 0xC3, 0x1E, 0x97, 0x64, 0xB8, 0x0D, 0xF2};
inline const KlKey kTestFileKey{0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88};

// Makes `file` produce `recs` when saved: they must be in ascending kind
// and type (the order the writer asks for them).
inline void ProduceRecords(TKlFile& file, const std::vector<Rec>& recs) {
  file.Clock = [] { return kFixedTime; };
  file.OnWriteRecord = [&recs](TKlFile&, std::uint32_t, std::uint32_t index, std::uint8_t kind,
                               std::uint8_t type, std::string& data, bool& crc, bool& stop) {
    std::uint32_t seen = 0;
    for (std::size_t i = 0; i < recs.size(); ++i) {
      if (recs[i].kind != kind || recs[i].type != type) continue;
      if (++seen == index) {
        data = recs[i].data;
        crc = recs[i].crc;
        stop = false;
        return;
      }
    }
  };
}

// Container bytes holding `recs`.
inline std::string ContainerBytes(const std::vector<Rec>& recs, const KlKey& file_key, int level,
                                  std::string_view description = " - test") {
  TKlFile file("", "unused");
  ProduceRecords(file, recs);
  std::string out;
  file.SaveBytes(out, description, file_key, kTestMaster, level);
  return out;
}

struct ReadOutcome {
  KlReadResult result;
  std::vector<Rec> records;
};

inline void CollectRecords(TKlFile& file, std::vector<Rec>& into) {
  file.OnReadRecord = [&into](TKlFile&, std::uint32_t number, std::uint32_t index,
                              std::uint8_t kind, std::uint8_t type, std::string_view data, bool&) {
    Rec r;
    r.kind = kind;
    r.type = type;
    r.data.assign(data);
    r.number = number;
    r.index = index;
    into.push_back(r);
  };
}

inline ReadOutcome ReadBytes(std::string_view bytes, const KlKey& master = kTestMaster) {
  TKlFile file("", "unused");
  ReadOutcome out;
  CollectRecords(file, out.records);
  out.result = file.LoadBytes(bytes, master);
  return out;
}

class ScratchFolder {
 public:
  ScratchFolder() {
    static int counter = 0;
    path_ = std::filesystem::temp_directory_path() /
            ("pc_storage_test_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::string Folder() const { return path_.string() + "/"; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  std::size_t EntryCount() const {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(path_),
                                                  std::filesystem::directory_iterator()));
  }

 private:
  std::filesystem::path path_;
};

inline std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteWholeFile(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace pc::storage::testing
