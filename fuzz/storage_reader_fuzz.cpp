// Fuzzes the storage reader: container parsing and the record catalogue.
// Input starting with ':' is taken as a whole file. Otherwise the first
// byte chooses how the rest is wrapped into a valid header, so that the
// fuzzer reaches the records quickly: bit 0 compressed (the rest is
// deflated), bit 1 scrambled, bit 2 with file checksum trailer, bit 3 read
// as an index file. Whatever loads must save and load again.
#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "storage/byte_codec.h"
#include "storage/kl_crc.h"
#include "storage/storage_file.h"

namespace {

using pc::storage::KlKey;
using pc::storage::StorageDocKind;
using pc::storage::StorageLoadResult;
using pc::storage::TStorageFile;

const KlKey kFileKey{0x10, 0x32, 0x54, 0x76, 0x98, 0xBA, 0xDC, 0xFE};

std::string Wrap(std::uint8_t mode, std::string section) {
  const bool compressed = mode & 1, scrambled = mode & 2, trailer = mode & 4;
  if (compressed) {
    std::string out(compressBound(static_cast<uLong>(section.size())), '\0');
    uLongf len = static_cast<uLongf>(out.size());
    compress2(reinterpret_cast<Bytef*>(out.data()), &len, reinterpret_cast<const Bytef*>(section.data()),
              static_cast<uLong>(section.size()), 1);
    out.resize(len);
    section = out;
  }
  std::string file = std::string(pc::storage::kKlMagic) + " - fuzz";
  file.push_back('\0');
  file.push_back(static_cast<char>((trailer ? 0x80 : 0) | (scrambled ? 0x40 : 0) | (compressed ? 0x20 : 0)));
  file.append(3, '\0');
  if (scrambled) file.append(kFileKey.begin(), kFileKey.end());
  file.push_back('\x01');
  for (std::size_t j = 0; j < section.size(); ++j) {
    char c = section[j];
    if (scrambled) c = static_cast<char>(c ^ kFileKey[j % 8] ^ TStorageFile::kMasterKey[j % 8]);
    file.push_back(c);
  }
  if (trailer) {
    file.push_back('\xFF');
    pc::storage::PutUint32(file, pc::storage::KlCrc32(0, file));
  }
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string in(reinterpret_cast<const char*>(data), size);
  std::string file;
  StorageDocKind kind = StorageDocKind::Project;
  if (in[0] == ':') {
    file = in;
    if (size > 40 && in[40] == 'I') kind = StorageDocKind::Index;  // " - PrijsCorrectum Indices"
  } else {
    const auto mode = static_cast<std::uint8_t>(in[0]);
    if (mode & 8) kind = StorageDocKind::Index;
    file = Wrap(mode, in.substr(1));
  }

  TStorageFile image("", kind, "fuzz.kvp");
  const StorageLoadResult r = image.LoadFromBytes(file);
  const int code = pc::storage::ToInt(r);
  if (!(code == 0 || (code >= 6 && code <= 9) || code == 95)) std::abort();

  // Every image that was read writes a file that reads back.
  image.FileKey = kFileKey;
  image.Clock = [] { return 1.0; };
  std::string saved;
  if (image.SaveToBytes(saved) != pc::storage::KlWriteResult::Ok) std::abort();
  TStorageFile again("", kind, "fuzz.kvp");
  if (again.LoadFromBytes(saved) != StorageLoadResult::Ok) std::abort();
  // Project fields go into project files only, the picture into index files only.
  const bool index = kind == StorageDocKind::Index;
  if (again.FigureCount() != image.FigureCount() ||
      again.ProjectName != (index ? std::string() : image.ProjectName) ||
      again.IconText != (index ? image.IconText : std::string()))
    std::abort();
  return 0;
}
