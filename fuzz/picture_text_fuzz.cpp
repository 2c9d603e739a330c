// Fuzzes the picture-text reader and the picture header readers. The first
// byte chooses the entry: 0 the whole text, 1 a payload, 2..6 one picture
// kind's file bytes. Whatever reads must write a text that reads back into
// an equal picture.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "project/picture.h"
#include "project/picture_strings.h"

using pc::project::PictureKind;
using pc::project::TPicture;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  TPicture picture;
  bool ok = false;
  const int mode = data[0] % 8;
  pc::project::ClearPictureError();
  if (mode == 0 || mode == 7) {
    ok = pc::project::StringToPicture_ads(rest, picture);
  } else if (mode == 1) {
    ok = pc::project::PictureFromPayload(rest, picture);
  } else {
    ok = pc::project::PictureFromFileBytes(static_cast<PictureKind>(mode - 1), rest, picture);
  }
  if (ok == pc::project::PictureErrorRaised() && mode <= 1) std::abort();
  if (!ok) {
    if (!picture.Empty()) std::abort();  // a failed read leaves the picture as it was
    return 0;
  }
  pc::project::ClearPictureError();
  const std::string text = pc::project::PictureToString_ads(picture);
  TPicture back;
  if (!pc::project::StringToPicture_ads(text, back) || !(back == picture) ||
      pc::project::PictureErrorRaised())
    std::abort();
  return 0;
}
